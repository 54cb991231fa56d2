#!/usr/bin/env bash
# The Qt-free parts on Windows: cross-builds the engine, its tests and
# quorvel-convert with mingw-w64 (build-windows/), runs the engine tests under
# wine, and checks that quorvel-convert.exe answers a set of requests exactly
# as the Linux build does: the same standard output (its CRLF line ends
# aside), standard error and exit status.
#
#   scripts/windows-check.sh [linux-quorvel-convert]   (default: build/cli/quorvel-convert)
#
# tests/cli is not part of it: it starts quorvel-convert with posix_spawn.
set -euo pipefail
cd "$(dirname "$0")/.."

linux=${1:-build/cli/quorvel-convert}
[[ -x $linux ]] || { echo "windows-check: no Linux quorvel-convert at $linux" >&2; exit 1; }
build=build-windows
fail() { echo "windows-check: $*" >&2; exit 1; }

cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DQUORVEL_GUI=OFF -DQUORVEL_BENCH=OFF -DQUORVEL_GOOGLETEST_SOURCE=/usr/src/googletest >/dev/null
cmake --build "$build" -j"$(nproc)" --target conversion_tests quorvel-convert

wine=$(command -v wine || echo /usr/lib/wine/wine64)
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' LC_ALL=C.UTF-8
unset DISPLAY
trap '"$(dirname "$wine")/wineserver" -k 2>/dev/null || wineserver -k 2>/dev/null || true' EXIT
"$wine" wineboot --init >/dev/null 2>&1

"$wine" "$build/tests/conversion/conversion_tests.exe" --gtest_brief=1

exe=$build/cli/quorvel-convert.exe
requests=(
  "--country uk --sex man --garment suit --size 40 --shoe 8.5"
  "--country 日本語 --sex woman --garment dress --size 11 --shoe 24"
  "--country 日本語 --sex man --garment suit --size LL"
  "--country jp --sex woman --garment shirt --size|13 LL|--shoe 24 --tsv"
  "--country American --sex man --lists"
  "--country=de --sex=WOMAN --lists --tsv"
  "--country it --sex man --garment shirt --shoe| 044,0 "
  "--country fr --sex man --garment suit --size 41,5 --shoe 41"
  "--country au --sex woman --garment trousers --shoe 7"
  "--country xx --sex man --shoe 41"
  "--version"
)
compared=0
for request in "${requests[@]}"; do
  # Words are split at blanks, except between bars: "--size|13 LL|--shoe".
  args=()
  IFS='|' read -r -a parts <<<"$request"
  for i in "${!parts[@]}"; do
    if ((i % 2)); then args+=("${parts[i]}"); else read -r -a words <<<"${parts[i]}"; args+=("${words[@]}"); fi
  done
  want_status=0 got_status=0
  "$linux" "${args[@]}" >"$build/want.out" 2>"$build/want.err" || want_status=$?
  "$wine" "$exe" "${args[@]}" >"$build/got.out" 2>"$build/got.err" || got_status=$?
  for stream in out err; do
    # Windows ends lines with CRLF; every line must, and nothing else may differ.
    if grep -qv $'\r$' "$build/got.$stream"; then fail "${args[*]}: a line of std$stream lacks its CR"; fi
    sed -i 's/\r$//' "$build/got.$stream"
    cmp -s "$build/want.$stream" "$build/got.$stream" ||
      { diff "$build/want.$stream" "$build/got.$stream" >&2 || true; fail "${args[*]}: std$stream differs"; }
  done
  [[ $want_status == "$got_status" ]] || fail "${args[*]}: status $got_status, on Linux $want_status"
  compared=$((compared + 1))
done
echo "windows-check: engine tests passed under wine; quorvel-convert.exe matched Linux on $compared requests"

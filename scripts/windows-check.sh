#!/usr/bin/env bash
# The Qt-free parts on Windows: cross-builds the engine, its tests and
# quorvel-convert with mingw-w64 (build-windows/), runs the engine tests under
# wine, and checks that quorvel-convert.exe answers a set of requests exactly
# as the Linux build does: the same standard output (its CRLF line ends
# aside), standard error and exit status.
#
#   scripts/windows-check.sh [linux-quorvel-convert]   (default: build/cli/quorvel-convert)
#
# tests/cli is not part of it: one of its tests starts quorvel-convert with
# posix_spawn.
# The window program cannot be built for Windows here (Debian has no Qt for
# mingw-w64), so its sources are only compiled, with the flags of the Linux
# build, against Qt's headers: the Windows single-instance code included, in
# place of the POSIX one.
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

checked=0
while IFS= read -r line; do
  command=${line//\\\"/\"}
  command=${command//\\\\/\\}
  eval "args=($command)"
  flags=() source=
  for ((i = 1; i < ${#args[@]}; i++)); do
    case ${args[i]} in
      -o) ((i++)) ;;
      -c) source=${args[++i]} ;;
      *) flags+=("${args[i]}") ;;
    esac
  done
  case ${source#"$PWD"/} in
    ui/rasterize.cpp) continue ;;
    app/*|language/*|settings/*|ui/*) ;;
    *) continue ;;
  esac
  source=${source/single_instance_posix.cpp/single_instance_win.cpp}
  x86_64-w64-mingw32-g++-posix "${flags[@]}" -fsyntax-only "$source" ||
    fail "$source does not compile for Windows"
  checked=$((checked + 1))
done < <(sed -n 's/^ *"command": "\(.*\)",$/\1/p' "$(dirname "$linux")/../compile_commands.json")
((checked > 10)) || fail "only $checked window program sources found to compile for Windows"

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
echo "windows-check: engine tests passed under wine; quorvel-convert.exe matched Linux on $compared requests;" \
  "$checked window program sources compile for Windows"

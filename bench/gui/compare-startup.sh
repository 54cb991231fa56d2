#!/usr/bin/env bash
# Start-up of the program against an empty window of the same size, on one
# private Xvfb display, alternating runs. Prints the median wall time and the
# median peak memory of each and the ratios (goal: both at most 1.25).
#
#   bench/gui/compare-startup.sh [build-dir] [runs]
set -euo pipefail

build=${1:-$(dirname "$0")/../../build}
runs=${2:-15}
probe=$build/bench/gui/quorvel-startup-probe
bare=$build/bench/gui/bare-window-probe
for p in "$probe" "$bare"; do
  [[ -x $p ]] || { echo "missing $p (build the bench targets first)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; -displayfd tells which number was free.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime" "$work/config"
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config

# One run: "<wall seconds> <peak kB>". GNU time when there is one, otherwise
# the probe's own VmHWM report.
measure() {
  local start end peak
  start=$(date +%s%N)
  if [[ -x /usr/bin/time ]]; then
    /usr/bin/time -f 'peak-rss-kb %M' -o "$work/time" "$1" 2>"$work/err"
    end=$(date +%s%N)
    peak=$(awk '/^peak-rss-kb/ {print $2}' "$work/time")
  else
    "$1" 2>"$work/err"
    end=$(date +%s%N)
    peak=$(awk '/^peak-rss-kb/ {print $2}' "$work/err")
  fi
  echo "$(( (end - start) / 1000 )) $peak"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One warm-up of each, so the first measured run does not pay for cold caches.
measure "$probe" >/dev/null
measure "$bare" >/dev/null
: >"$work/probe" ; : >"$work/bare"
for _ in $(seq "$runs"); do
  measure "$probe" >>"$work/probe"
  measure "$bare" >>"$work/bare"
done

probe_ms=$(awk '{print $1 / 1000}' "$work/probe" | median)
bare_ms=$(awk '{print $1 / 1000}' "$work/bare" | median)
probe_kb=$(awk '{print $2}' "$work/probe" | median)
bare_kb=$(awk '{print $2}' "$work/bare" | median)

printf '%-24s %12s %14s\n' "" "wall (ms)" "peak RSS (kB)"
printf '%-24s %12s %14s\n' "quorvel-startup-probe" "$probe_ms" "$probe_kb"
printf '%-24s %12s %14s\n' "bare-window-probe" "$bare_ms" "$bare_kb"
awk -v pm="$probe_ms" -v bm="$bare_ms" -v pk="$probe_kb" -v bk="$bare_kb" -v n="$runs" 'BEGIN {
  printf "%-24s %12.2f %14.2f   (median of %d alternating runs; goal <= 1.25)\n", "ratio", pm / bm, pk / bk, n
}'

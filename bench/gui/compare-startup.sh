#!/usr/bin/env bash
# Start-up of the program against two floors, on one private Xvfb display with
# a private session bus, alternating runs: an empty window of the same size,
# and the same content written the plainest way. Prints each probe's median
# wall time, time to its first frame and peak memory, and the program's
# ratios to both floors.
#
#   bench/gui/compare-startup.sh [build-dir] [runs]
set -euo pipefail

build=${1:-$(dirname "$0")/../../build}
runs=${2:-15}
probes=(quorvel-startup-probe same-content-probe bare-window-probe)
for p in "${probes[@]}"; do
  [[ -x $build/bench/gui/$p ]] || { echo "missing $build/bench/gui/$p (build with -DQUORVEL_BENCH=ON)" >&2; exit 1; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A display of our own; -displayfd tells which number was free.
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(head -n1 "$work/display")
# Without a session bus every probe would start dbus-launch, which blurs them all.
dbus-daemon --session --fork --nopidfile --print-address=4 --print-pid=5 4>"$work/bus" 5>"$work/bus-pid"
pids+=("$(cat "$work/bus-pid")")
export DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime" "$work/config"
export XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/config
if [[ -n ${QUORVEL_STARTUP_LANGUAGE:-} ]]; then
  mkdir -p "$work/config/Dravenor"
  printf '[General]\nLanguage=%s\n' "$QUORVEL_STARTUP_LANGUAGE" >"$work/config/Dravenor/Quorvel.conf"
fi

# One run: "<wall us> <first frame us> <peak kB>".
measure() {
  local start end
  start=$(date +%s%N)
  QUORVEL_PROBE_T0=$start /usr/bin/time -f 'peak-rss-kb %M' -o "$work/time" "$build/bench/gui/$1" 2>"$work/err"
  end=$(date +%s%N)
  echo "$(( (end - start) / 1000 )) $(awk '/^first-frame-us/ {print $2}' "$work/err") $(awk '/^peak-rss-kb/ {print $2}' "$work/time")"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for p in "${probes[@]}"; do measure "$p" >/dev/null; : >"$work/$p"; done  # warm caches
for _ in $(seq "$runs"); do
  for p in "${probes[@]}"; do measure "$p" >>"$work/$p"; done
done

declare -A wall first peak
printf '%-24s %10s %12s %14s\n' "" "wall (ms)" "frame (ms)" "peak RSS (kB)"
for p in "${probes[@]}"; do
  wall[$p]=$(awk '{print $1 / 1000}' "$work/$p" | median)
  first[$p]=$(awk '{print $2 / 1000}' "$work/$p" | median)
  peak[$p]=$(awk '{print $3}' "$work/$p" | median)
  printf '%-24s %10s %12s %14s\n' "$p" "${wall[$p]}" "${first[$p]}" "${peak[$p]}"
done
q=quorvel-startup-probe
for floor in same-content-probe bare-window-probe; do
  awk -v w="${wall[$q]}" -v W="${wall[$floor]}" -v f="${first[$q]}" -v F="${first[$floor]}" \
      -v m="${peak[$q]}" -v M="${peak[$floor]}" -v name="quorvel / ${floor%-probe}" 'BEGIN {
    printf "%-24s %10.2f %12.2f %14.2f\n", name, w / W, f / F, m / M
  }'
done
echo "(medians of $runs alternating runs)"

#!/bin/sh
# Runs a command with a headless weston of its own as the Wayland display.
runtime=$(mktemp -d) || exit 1
XDG_RUNTIME_DIR=$runtime weston --backend=headless-backend.so --width=1024 --height=768 --debug --idle-time=0 \
  --socket=wayland-quorvel-test >"$runtime/weston.log" 2>&1 &
wm=$!
export WAYLAND_DISPLAY="$runtime/wayland-quorvel-test"
i=0
until [ -S "$WAYLAND_DISPLAY" ]; do
  i=$((i + 1)); [ $i -lt 100 ] || { echo "weston did not start" >&2; cat "$runtime/weston.log" >&2; kill $wm; exit 1; }
  sleep 0.1
done
"$@"
status=$?
kill $wm
wait $wm 2>/dev/null
rm -rf "$runtime"
exit $status

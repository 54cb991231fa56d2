#!/bin/sh
# Runs a command on the X server of $DISPLAY under the openbox window manager.
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  i=$((i + 1)); [ $i -lt 100 ] || { echo "openbox did not start" >&2; kill $wm; exit 1; }
  sleep 0.1
done
"$@"
status=$?
kill $wm
exit $status

#!/bin/sh
# Runs a command with a Wayland compositor of its own, headless, in a private
# runtime folder with a private session bus:
#
#   under-wayland.sh weston|mutter|kwin COMMAND...
#
# The command finds the compositor through WAYLAND_DISPLAY (a full path) and
# its name in QUORVEL_COMPOSITOR. Status 77 when the compositor is not
# installed.
compositor=$1
shift
runtime=$(mktemp -d) || exit 1
chmod 700 "$runtime"
socket=wayland-quorvel-test
pids=
finish() {
  for pid in $pids; do kill "$pid" 2>/dev/null; done
  for pid in $pids; do wait "$pid" 2>/dev/null; done
  rm -rf "$runtime"
}
trap finish EXIT
trap 'exit 1' INT TERM

case $compositor in
  weston) program=weston ;;
  mutter) program=mutter ;;
  kwin) program=kwin_wayland ;;
  *) echo "unknown compositor $compositor" >&2; exit 2 ;;
esac
command -v "$program" >/dev/null || { echo "SKIP: $program is not installed" >&2; exit 77; }

export XDG_RUNTIME_DIR=$runtime
dbus-daemon --session --fork --nopidfile --address="unix:path=$runtime/bus" --print-pid=3 3>"$runtime/bus-pid" || exit 1
pids=$(cat "$runtime/bus-pid")
export DBUS_SESSION_BUS_ADDRESS=unix:path=$runtime/bus

case $compositor in
  weston)
    weston --backend=headless-backend.so --width=1024 --height=768 --debug --idle-time=0 --socket=$socket \
      >"$runtime/log" 2>&1 &
    ;;
  mutter)
    mutter --headless --wayland --no-x11 --virtual-monitor 1024x768 --wayland-display=$socket \
      >"$runtime/log" 2>&1 &
    ;;
  kwin)
    # Debian's kwin_wayland carries a file capability (to raise its limits);
    # where the capability cannot be granted, as in a container whose bounding
    # set lacks it, the kernel refuses to run the file at all, for every user.
    # A copy has none. It keeps its name: KWin's platform plugin serves only a
    # program of that name.
    mkdir "$runtime/kwin" && cp "$(command -v kwin_wayland)" "$runtime/kwin/kwin_wayland" || exit 1
    XDG_CONFIG_HOME=$runtime/config "$runtime/kwin/kwin_wayland" --virtual --width 1024 --height 768 \
      --socket $socket --no-lockscreen --no-global-shortcuts >"$runtime/log" 2>&1 &
    ;;
esac
pids="$! $pids"
export WAYLAND_DISPLAY=$runtime/$socket
i=0
until [ -S "$WAYLAND_DISPLAY" ]; do
  i=$((i + 1))
  if [ $i -ge 300 ] || ! kill -0 ${pids%% *} 2>/dev/null; then
    echo "$compositor did not start" >&2
    cat "$runtime/log" >&2
    exit 1
  fi
  sleep 0.1
done
export QUORVEL_COMPOSITOR=$compositor
"$@"

#!/usr/bin/env bash
# Runs a command on its own virtual X display with a window manager and, with
# --tray, a tray host; everything started here is stopped afterwards, also when
# the command fails. Used by the tests that need a real display.
#   scripts/with-display.sh [--tray] [--] command args...
# Exports DISPLAY, and SKYTUNER_TRAY_PID (with --tray) so a test can restart the
# tray host; the command runs inside its own D-Bus session.
set -u
tray=0
while [ $# -gt 0 ]; do
  case "$1" in
    --tray) tray=1; shift ;;
    --) shift; break ;;
    *) break ;;
  esac
done

pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do
    for _ in $(seq 30); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$pid" 2>/dev/null
  done
}
trap cleanup EXIT
trap 'exit 143' TERM INT

# The server picks a free display number itself (-displayfd takes the first
# number whose lock it can create), so runs side by side never share one; it
# writes the number once it accepts clients.
numberfile=$(mktemp)
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$numberfile" >/dev/null 2>&1 &
xvfb=$!
pids+=($xvfb)
display=
for _ in $(seq 300); do
  kill -0 $xvfb 2>/dev/null || break
  n=$(head -n1 "$numberfile")
  if [ -n "$n" ]; then display=":$n"; break; fi
  sleep 0.1
done
rm -f "$numberfile"
[ -n "$display" ] || { echo "with-display: Xvfb did not start" >&2; exit 1; }
export DISPLAY=$display

# Starts the window manager and waits until it owns the screen (slow on a busy
# machine); a second try if it ended or never came, since the tests cannot do
# without it.
wm_up() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
for _ in 1 2; do
  openbox --sm-disable >/dev/null 2>&1 &
  wm=$!
  pids+=($wm)
  for _ in $(seq 300); do
    wm_up && break
    kill -0 $wm 2>/dev/null || break
    sleep 0.1
  done
  wm_up && break
  kill $wm 2>/dev/null
done
wm_up || { echo "with-display: the window manager did not start" >&2; exit 1; }

if [ $tray -eq 1 ]; then
  trayer --edge top --align right --widthtype request --height 28 \
    --SetDockType true --SetPartialStrut true >/dev/null 2>&1 &
  pids+=($!)
  export SKYTUNER_TRAY_PID=$!
  for _ in $(seq 50); do
    xprop -root 2>/dev/null | grep -q . && xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 0.3
fi

unset QT_QPA_PLATFORM
export DBUS_SESSION_BUS_ADDRESS=
dbus-run-session -- "$@" &
child=$!
pids+=($child)
wait $child
status=$?
exit $status

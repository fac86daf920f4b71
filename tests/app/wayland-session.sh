#!/bin/sh
# Wayland sessions: the real program beside a headless weston and under Xvfb. With only a
# Wayland display it runs natively; with an X server too (as XWayland offers) it runs on
# X11, where "On Top" and the clipboard hand-over work; a platform the user names wins.
# Each time it must quit cleanly, with 0, on SIGTERM.
#   wayland-session.sh <glyphora> <main window title>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
program=$1 title=$2
work=$(mktemp -d)
weston_pid= pid=
cleanup() {
  for p in $pid $weston_pid; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
x11=$DISPLAY
# Qt's Wayland plugin keeps memory to the end and is unloaded before the leak check; only
# the slow unwinder's stacks name the library that allocated it (see cmake/lsan.supp).
if [ -n "${ASAN_OPTIONS:-}" ]; then export ASAN_OPTIONS="$ASAN_OPTIONS:fast_unwind_on_malloc=0"; fi
unset DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_SESSION_TYPE
. "$(dirname "$0")/session-common.sh"
private_home "$work"

fail() {
  echo "$1"
  for f in "$work"/*.log; do echo "--- $f"; tail -n 40 "$f"; done
  exit 1
}
gone() { ! kill -0 "$pid" 2>/dev/null; }
# The client side of the Wayland protocol, which WAYLAND_DEBUG writes to the log.
titled_on_wayland() { grep -q "xdg_toplevel@[0-9]*\.set_title(\"$title\")" "$log"; }
on_x11() { DISPLAY=$x11 xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; }

socket=glyphora-test
weston --backend=headless-backend.so --socket=$socket --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
wait_for 20 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start"

# Runs the program in the given environment, finds its window on the expected display and
# ends it with SIGTERM.
check() { # name expected(wayland|x11) command...
  name=$1 expected=$2; shift 2
  log="$work/$name.log"
  WAYLAND_DEBUG=client "$@" "$program" >"$log" 2>&1 &
  pid=$!
  if [ "$expected" = wayland ]; then
    wait_for 30 titled_on_wayland || fail "$name: no window on the Wayland display"
    on_x11 && fail "$name: a window on the X server too"
  else
    wait_for 30 on_x11 || fail "$name: no window on the X server"
    titled_on_wayland && fail "$name: a window on the Wayland display too"
  fi
  kill -TERM "$pid"
  wait_for 20 gone || fail "$name: did not quit on SIGTERM"
  status=0; wait "$pid" || status=$?
  pid=
  [ "$status" -eq 0 ] || fail "$name: ended with $status on SIGTERM"
  echo "$name: runs on $expected and quits cleanly"
}

check "Wayland only" wayland env -u DISPLAY WAYLAND_DISPLAY=$socket
check "Wayland and X11" x11 env DISPLAY="$x11" WAYLAND_DISPLAY=$socket
check "Wayland session and X11" x11 env DISPLAY="$x11" WAYLAND_DISPLAY=$socket \
  XDG_SESSION_TYPE=wayland
check "the user's QT_QPA_PLATFORM" wayland env DISPLAY="$x11" WAYLAND_DISPLAY=$socket \
  QT_QPA_PLATFORM=wayland
check "the user's -platform" wayland env DISPLAY="$x11" WAYLAND_DISPLAY=$socket \
  sh -c 'exec "$0" -platform wayland'

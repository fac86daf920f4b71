#!/bin/sh
# One copy per session: the real program runs under Xvfb with openbox and a private session
# bus. A second start brings the minimised window back, active, and ends at once with 0; a
# start while the running copy does not answer opens its own window and takes over the name
# when that copy leaves. Without a bus, or with one that does not answer, every start runs on
# its own, as before. Each copy quits by its usual path on SIGTERM.
#   single-instance.sh <glyphora> <main window title>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
program=$1 title=$2
work=$(mktemp -d)
wm_pid= bus_pid= silent_pid= other_pid= pids=
cleanup() {
  for p in $pids $other_pid; do kill -CONT "$p" 2>/dev/null || true; kill "$p" 2>/dev/null || true; done
  for p in $wm_pid $bus_pid $silent_pid; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
# No bus of the caller's: only the one this script starts, if any.
unset DBUS_SESSION_BUS_ADDRESS DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN WAYLAND_DISPLAY
. "$(dirname "$0")/session-common.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb

fail() {
  echo "$1"
  for w in $(windows); do echo "window $w: $(xprop -id "$w" _NET_WM_STATE | tr '\n' ' ')"; done
  echo "active: $(xprop -root _NET_ACTIVE_WINDOW)"
  for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
  exit 1
}
windows() { xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true; }
window_count() { windows | grep -c . || true; }
count_is() { [ "$(window_count)" -eq "$1" ]; }
minimised() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN; }
shown() { ! minimised "$1"; }
active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "$(printf '# 0x%x$' "$1")"; }
gone() { ! kill -0 "$1" 2>/dev/null; }
owned() { dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.example.Glyphora 2>/dev/null |
          grep -q 'boolean true'; }
# Starts a copy in the background, behind an optional command such as env; its pid is in
# $started.
start() { # log name [command...]
  log=$1; shift
  "$@" "$program" >"$work/$log.log" 2>&1 &
  started=$!
  pids="$pids $started"
}
# Ends a copy as a session does, with SIGTERM; it must quit by itself, with 0.
terminate() { # pid what
  kill -TERM "$1"
  wait_for 20 gone "$1" || fail "$2 did not quit on SIGTERM"
  status=0; wait "$1" || status=$?
  [ "$status" -eq 0 ] || fail "$2 ended with $status on SIGTERM"
}

window_manager || fail "openbox did not start"

# No session bus: each start opens its own window, as before there was one copy a session.
start alone1; first=$started
wait_for 20 count_is 1 || fail "without a bus, the first copy showed no window"
start alone2; second=$started
wait_for 20 count_is 2 || fail "without a bus, a second start did not open its own window"
echo "without a session bus, each start runs on its own"
terminate "$first" "the first copy without a bus"

# A copy whose start-up shows a message box (its data folder cannot be made) still quits on
# SIGTERM, though its event loop has not begun.
touch "$work/not-a-folder"
start startup-box env XDG_DATA_HOME="$work/not-a-folder"; boxed=$started
wait_for 20 sh -c 'xdotool search --onlyvisible --name "^Glyphora\$" >/dev/null' ||
  fail "the copy without a data folder showed no message box"
terminate "$boxed" "a copy showing its start-up message box"
echo "a copy showing its start-up message box quits on SIGTERM"
terminate "$second" "the second copy without a bus"

# A private session bus, where a systemd user session keeps it: the first copy finds it by
# its address, later ones through XDG_RUNTIME_DIR.
private_bus || fail "the session bus did not start"

start first; first=$started
wait_for 20 count_is 1 || fail "the first copy showed no window"
main=$(windows)
wait_for 20 owned || fail "the first copy did not take the name on the session bus"
# Another window has the keyboard while Glyphora is minimised.
xmessage -name other "another program" >"$work/other.log" 2>&1 &
other_pid=$!
xdotool windowminimize "$main"
wait_for 20 minimised "$main" || fail "the main window did not minimise"
other=$(xdotool search --sync --limit 1 --class xmessage)
wait_for 20 active "$other" || fail "the other program did not get the keyboard"

start second env -u DBUS_SESSION_BUS_ADDRESS; second=$started
wait_for 20 gone "$second" || fail "the second start did not end"
status=0; wait "$second" || status=$?
[ "$status" -eq 0 ] || fail "the second start ended with $status"
count_is 1 || fail "the second start left a window of its own"
gone "$first" && fail "the running copy ended"
wait_for 20 shown "$main" || fail "the main window is still minimised"
wait_for 20 active "$main" || fail "the main window did not get the keyboard"
echo "a second start brought the minimised window back, active, and ended with 0"

# Under another program's window, not minimised: a start raises it and gives it the keyboard.
xdotool windowactivate "$other"
wait_for 20 active "$other" || fail "the other program did not get the keyboard back"
start again env -u DBUS_SESSION_BUS_ADDRESS; again=$started
wait_for 20 gone "$again" || fail "a start with the window under another did not end"
wait "$again" || fail "a start with the window under another failed"
wait_for 20 active "$main" || fail "the main window under another did not get the keyboard"
echo "a start brought the window from under another program's, active"

# The running copy does not answer: a start opens its own window after a short wait, and
# owns the name once the silent copy has gone.
kill -STOP "$first"
start unanswered; third=$started
wait_for 20 count_is 2 || fail "a start while the running copy was stopped opened no window"
kill -CONT "$first"
terminate "$first" "the copy that had been stopped"
start fourth env -u DBUS_SESSION_BUS_ADDRESS; fourth=$started
wait_for 20 gone "$fourth" || fail "a start after the first copy left did not end"
status=0; wait "$fourth" || status=$?
[ "$status" -eq 0 ] || fail "a start after the first copy left ended with $status"
count_is 1 || fail "a start after the first copy left opened a window of its own"
echo "with the running copy silent, a start ran on its own and took the name over"

# The bus daemon itself is stopped, or the address leads to a socket that accepts and never
# answers: a start opens its window all the same, says once why it runs without the bus, and
# quits as usual. Nothing in it may wait on that bus, Qt's screen-reader bridge included.
said_once() { [ "$(grep -c 'session bus does not answer' "$work/$1.log")" -eq 1 ]; }
kill -STOP "$bus_pid"
start stopped_bus; fifth=$started
wait_for 10 count_is 2 || fail "with the bus stopped, a start opened no window"
said_once stopped_bus || fail "with the bus stopped, a start did not say once why"
terminate "$fifth" "the copy started while the bus was stopped"
kill -CONT "$bus_pid"
python3 -c 'import socket, sys
s = socket.socket(socket.AF_UNIX)
s.bind(sys.argv[1])
s.listen(16)
held = []
while True:
    held.append(s.accept()[0])' "$work/silent" &
silent_pid=$!
wait_for 20 test -S "$work/silent" || fail "the silent socket did not appear"
start silent_bus env DBUS_SESSION_BUS_ADDRESS="unix:path=$work/silent"; sixth=$started
wait_for 10 count_is 2 || fail "with a bus that never answers, a start opened no window"
said_once silent_bus || fail "with a bus that never answers, a start did not say once why"
terminate "$sixth" "the copy started with a bus that never answers"
echo "with the bus daemon stopped or silent, a start opened its window on its own"

# A copy in the pause before it ends has given the name up: a start then opens its own
# window instead of calling on one that is closing.
kill -TERM "$third"
wait_for 20 count_is 0 || fail "the copy that took the name over kept its window on SIGTERM"
start after_quit; seventh=$started
wait_for 20 count_is 1 || fail "a start while the other copy was quitting opened no window"
wait_for 20 gone "$third" || fail "the copy that took the name over did not quit on SIGTERM"
status=0; wait "$third" || status=$?
[ "$status" -eq 0 ] || fail "the copy that took the name over ended with $status on SIGTERM"
gone "$seventh" && fail "the start while the other copy was quitting ended"
echo "a start while the running copy was quitting opened its own window"
terminate "$seventh" "the copy started while the other was quitting"

#!/bin/sh
# What the user copied stays on the desktop's clipboard after Glyphora has quit: the real
# program, under Xvfb with a clipboard manager, copies a smiley and quits; another process
# then reads the clipboard.
#   clipboard-handover.sh <glyphora> <clipboard_manager.py> <main window title>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
program=$1 manager=$2 title=$3
work=$(mktemp -d)
trap 'kill "$manager_pid" "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
# No session bus: a copy of Glyphora running elsewhere must not take this one's place.
unset DBUS_SESSION_BUS_ADDRESS
. "$(dirname "$0")/session-common.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb
manager_pid= pid=

/usr/bin/python3 "$manager" "$work/saved" >"$work/manager.log" 2>&1 &
manager_pid=$!
for _ in $(seq 50); do grep -q ready "$work/manager.log" && break; sleep 0.1; done
grep -q ready "$work/manager.log" || { cat "$work/manager.log"; exit 1; }

"$program" >"$work/program.log" 2>&1 &
pid=$!
find_main "$title" || { echo "the main window did not appear"; cat "$work/program.log"; exit 1; }
click 600 2985   # the first smiley, "0 :-)"
sleep 0.3
click 700 2480   # "Copy to clipboard"
sleep 0.3
[ "$(xclip -o -selection clipboard)" = "0 :-)" ] || { echo "the copy did not reach the clipboard"; exit 1; }
click 4250 2480  # "Quit"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then echo "Glyphora did not quit"; exit 1; fi
wait "$pid" || { echo "Glyphora failed"; cat "$work/program.log"; exit 1; }
pid=

[ -s "$work/saved" ] || { echo "Glyphora did not hand the clipboard over"; cat "$work/program.log"; exit 1; }
copied=$(xclip -o -selection clipboard 2>/dev/null || true)
if [ "$copied" != "0 :-)" ]; then
  echo "after quitting, the clipboard holds '$copied' instead of '0 :-)'"
  cat "$work/program.log" "$work/manager.log"
  exit 1
fi
echo "the clipboard still holds '$copied' after Glyphora quit"

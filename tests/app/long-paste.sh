#!/bin/sh
# A long paste keeps the window answering: the real program runs under Xvfb, a word of a
# million letters is put on the clipboard by another program, Ctrl+V pastes it into the
# message box and a key is typed after it. Select all and copy must then hand the message back
# to the clipboard, whole and with the key, well before a window frozen in laying out the word
# would have answered.
#   long-paste.sh <glyphora> <main window title>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
program=$1 title=$2
work=$(mktemp -d)
pid= xclip_pid=
# A window frozen in a layout would not take a SIGTERM by its usual path.
cleanup() {
  for p in $pid $xclip_pid; do kill -KILL "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
# No session bus: a copy of Glyphora running elsewhere must not take this one's place.
unset DBUS_SESSION_BUS_ADDRESS
. "$(dirname "$0")/session-common.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb

fail() {
  echo "$1"
  echo "--- program output"; cat "$work/program.log"
  exit 1
}
head -c 1000000 /dev/zero | tr '\0' 'w' >"$work/word"
{ cat "$work/word"; printf 'z'; } >"$work/expected"

"$program" >"$work/program.log" 2>&1 &
pid=$!
find_main "$title" || fail "the main window did not appear"
panel_open() { [ "$(xdotool getwindowgeometry "$main" | awk '/Geometry/ { split($2, s, "x"); print s[1] }')" -gt 500 ]; }
# The clipboard's owner is Glyphora once it has taken the copy: xclip offers no text/plain.
copied() { timeout 2 xclip -o -selection clipboard -t TARGETS 2>/dev/null | grep -qx text/plain; }

xclip -quiet -selection clipboard -i "$work/word" >"$work/xclip.log" 2>&1 &
xclip_pid=$!
offered() { timeout 2 xclip -o -selection clipboard -t TARGETS >/dev/null 2>&1; }
wait_for 20 offered || fail "xclip did not take the clipboard"
click 4507 6007 # ">>" opens the translator panel
wait_for 20 panel_open || fail "the translator panel did not open"
click 7700 2600 # into the message box
sleep 0.3
xdotool key ctrl+v
xdotool key z ctrl+a ctrl+c
# Laying out the word whole took a minute and more; the bound leaves room for a loaded machine.
# It is kept by the clock, since a check may wait for a clipboard's owner that does not answer.
deadline=$(( $(date +%s) + 20 ))
until copied; do
  [ "$(date +%s)" -lt "$deadline" ] || fail "the window did not answer the keys after the paste"
  sleep 0.2
done
timeout 10 xclip -o -selection clipboard | cmp -s - "$work/expected" ||
  fail "the message box did not hand back the pasted word and the key"
echo "the pasted word and the key came back through the clipboard"

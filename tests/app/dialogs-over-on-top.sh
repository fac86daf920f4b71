#!/bin/sh
# Dialogs stay reachable over an "On Top" main window: the real program runs under Xvfb with
# openbox as window manager, "On Top" is set, and the translator's message box, Open dialog
# and Save as dialog, then the Quick Help window, must each be stacked above the main
# window, as the window manager reports in _NET_CLIENT_LIST_STACKING.
#   dialogs-over-on-top.sh <glyphora> <main window title>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
program=$1 title=$2
work=$(mktemp -d)
wm_pid= pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; fi
  if [ -n "$wm_pid" ]; then kill "$wm_pid" 2>/dev/null || true; wait "$wm_pid" 2>/dev/null || true; fi
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
  echo "--- stacking, bottom to top: $(stacking)"
  for w in $(stacking); do echo "$w: $(xprop -id "$w" WM_NAME WM_TRANSIENT_FOR _NET_WM_STATE | tr '\n' ' ')"; done
  echo "--- program output"; cat "$work/program.log"
  echo "--- window manager output"; cat "$work/wm.log"
  exit 1
}
# The managed windows, bottom to top, as the window manager stacks them.
stacking() {
  xprop -root _NET_CLIENT_LIST_STACKING 2>/dev/null | sed -n 's/.*# //p' | tr -d ','
}
main_listed() { stacking | tr ' ' '\n' | grep -qx "$main_hex"; }
main_on_top() { xprop -id "$main" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
panel_open() { [ "$(width)" -gt 500 ]; }
width() { xdotool getwindowgeometry "$main" | awk '/Geometry/ { split($2, s, "x"); print s[1] }'; }
# The program's window other than the main one, if the window manager has one.
dialog() { stacking | tr ' ' '\n' | grep -vx "$main_hex" | grep . | tail -n 1; }
active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "# $1\$"; }
dialog_shown() { [ -n "$(dialog)" ]; }
dialog_gone() { [ -z "$(dialog)" ]; }
dialog_above_main() {
  order=$(stacking | tr ' ' '\n' | grep -nx -e "$main_hex" -e "$1" | cut -d: -f2 | tr '\n' ' ')
  [ "$order" = "$main_hex $1 " ]
}
# Clicks a button that opens a dialog, checks the dialog's title and its place above the
# main window, then closes it with Escape once it has the keyboard.
check_dialog() { # x y title
  click "$1" "$2"
  wait_for 20 dialog_shown || fail "no window appeared for '$3'"
  dlg=$(dialog)
  name=$(xprop -id "$dlg" WM_NAME | sed -n 's/^WM_NAME([A-Z_]*) = "\(.*\)"$/\1/p')
  [ "$name" = "$3" ] || fail "expected the window '$3', found '$name'"
  wait_for 20 dialog_above_main "$dlg" || fail "'$3' is stacked under the On Top main window"
  echo "'$3' is above the main window"
  wait_for 20 active "$dlg" || fail "'$3' did not get the keyboard"
  xdotool key Escape
  wait_for 20 dialog_gone || fail "'$3' did not close"
}

window_manager || fail "openbox did not start"

"$program" >"$work/program.log" 2>&1 &
pid=$!
find_main "$title" || fail "the main window did not appear"
main_hex=$(printf '0x%x' "$main")
wait_for 20 main_listed || fail "openbox does not manage the main window"

click 3120 2497 # "On Top"
wait_for 20 main_on_top || fail "the main window did not go on top"
click 4507 6007 # ">>" opens the translator panel
wait_for 20 panel_open || fail "the translator panel did not open"

check_dialog 6187 5587 "Glyphora" # "Translate now" on an empty message: "Enter some text ."
check_dialog 6967 5107 "Open"
check_dialog 9247 5107 "Save As"

# Quick Help has no owner, yet it must not open hidden under the main window either.
xdotool key --window "$main" alt+h
wait_for 20 dialog_shown || fail "Quick Help did not appear"
help=$(dialog)
wait_for 20 dialog_above_main "$help" || fail "'Quick Help' is stacked under the On Top main window"
echo "'Quick Help' is above the main window"

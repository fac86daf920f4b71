#!/bin/sh
# Return and a double-click type the chosen face into the window the user came from: the
# real program under Xvfb with openbox and a private session bus, beside real xterms that
# write what they receive, byte for byte, to files. The exact bytes arrive on the US, German
# and French layouts, with Shift held and with Caps Lock on; the clipboard is left alone; an
# xterm that was not the remembered window receives nothing; a vanished window gets the face
# copied instead; a picture is not pasted into a terminal; fifty inserts through a spare
# keycode leave the keyboard mapping as it was; "-display" names the server typed into; a
# file of the user's own faces saved with a bad line while the user types in a terminal
# takes no key from it, and is named in a notification and the window's notice line; with
# no spare keycode a face the layout lacks is copied, and the notice says why; Glyphora's own
# summon key brings the window with the search box ready and, pressed again, gives the
# keyboard back; a key changed from the command line takes over at once; a key another
# program holds is reported; the euro sign and a katakana, which X names by keysyms of its
# own, arrive through lent keys; the search's way set from the command line holds at once.
#   type-into-window.sh <glyphora> <main window title> <notification_server.py>
#                       <atspi_notice.py>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
program=$1 title=$2 notifier=$3 reader=$4
work=$(mktemp -d)
wm_pid= bus_pid= pids=
cleanup() {
  for p in $pids; do kill "$p" 2>/dev/null || true; done
  for p in $wm_pid $bus_pid; do kill "$p" 2>/dev/null || true; wait "$p" 2>/dev/null || true; done
  setxkbmap us 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
unset DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN WAYLAND_DISPLAY
. "$(dirname "$0")/session-common.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb

fail() {
  echo "FAIL: $1"
  echo "active: $(xprop -root _NET_ACTIVE_WINDOW)"
  for f in "$work"/*.out; do [ -f "$f" ] && echo "--- $f:" && od -c "$f" | tail -4; done
  for f in "$work"/*.log; do echo "--- $f"; cat "$f"; done
  exit 1
}
active() { xprop -root _NET_ACTIVE_WINDOW | grep -q "$(printf '# 0x%x$' "$1")"; }
# Whether a file holds exactly these bytes.
holds() { printf '%s' "$2" | cmp -s - "$1"; }

# Without the iconify animation a restored window is where it stays when it is clicked.
cat >"$work/openbox.xml" <<'END'
<?xml version="1.0"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme><animateIconify>no</animateIconify></theme>
</openbox_config>
END
window_manager --config-file "$work/openbox.xml" || fail "openbox did not start"
private_bus || fail "the session bus did not start"

# An xterm that writes every byte it receives to <name>.out; its window id in $terminal.
xterm_for() { # name
  : >"$work/$1.out"
  xterm -name "$1" -e sh -c "stty -icanon -echo; exec cat >'$work/$1.out'" 2>/dev/null &
  pids="$pids $!"
  terminal=$(xdotool search --sync --onlyvisible --limit 1 --classname "^$1$")
}
focus() { # window
  xdotool windowactivate "$1" 2>/dev/null || true
  wait_for 20 active "$1" || fail "window $1 did not get the keyboard"
}

# Starts Glyphora from the active window, or the command given that starts it; the main
# window's id is in $main.
start_glyphora() { # [command...]
  [ $# -gt 0 ] || set -- "$program"
  "$@" >"$work/glyphora.log" 2>&1 &
  glyphora=$!
  pids="$pids $glyphora"
  main=$(xdotool search --sync --limit 1 --name "^$title\$")
  wait_for 20 active "$main" || fail "the main window did not get the keyboard"
  # The client area is 417 pixels high at 96 dpi; the rest above it is the menu bar.
  eval "$(xdotool getwindowgeometry --shell "$main")"
  menu=$((HEIGHT - 417))
}
# A later start brings the running window back, as a launcher or shortcut would.
summon() {
  "$program" >"$work/summon.log" 2>&1 || fail "a later start failed"
  wait_for 20 active "$main" || fail "a later start did not bring the main window back"
}
click_at() { # x y [repeat]
  xdotool mousemove --window "$main" "$1" $(($2 + menu)) click --repeat "${3:-1}" --delay 80 1
}
search_and_return() { # text
  click_at 150 118 # the search box
  xdotool key ctrl+a BackSpace
  xdotool type --delay 20 "$1"
  xdotool key Return
}
double_click_first_row() {
  click_at 40 230  # a row of the smiley list, for the keyboard
  xdotool key Home # the first row, scrolled into view
  click_at 40 198 2
}
expect_bytes() { # name bytes what
  wait_for 10 holds "$work/$1.out" "$2" || fail "$3: $1 did not receive the expected bytes"
}

xterm_for first
focus "$terminal"
start_glyphora

# Each layout: a double-click on the first row ("0 :-)": digits, a blank), then faces
# found by searching (the search text is chosen so the smiley list has the last word). The
# German grave accent is a dead key: it goes through a spare keycode.
for layout in us de fr; do
  setxkbmap "$layout" || fail "setxkbmap $layout"
  xterm_for "$layout"
  expected=""
  focus "$terminal"
  summon
  double_click_first_row
  expected="0 :-)"
  expect_bytes "$layout" "$expected" "$layout: a double-click on the first row"
  case $layout in
    us) searches="wink:;-) imo:IMO undecided::-\\" ;;
    de) searches="turban:@:-) toupee_-_user:{:-) undecided::-\\ flame:~~:-( eye_-_user_s:\`:-)" ;;
    fr) searches="wink:;-) hug:[] yuk:|-P wizard:8_:-) turban:@:-)" ;;
  esac
  for pair in $searches; do
    search=$(printf '%s' "${pair%%:*}" | tr _ ' ')
    face=$(printf '%s' "${pair#*:}" | tr _ ' ')
    [ "$search" = imo ] && face="IMO " # the acronym wins, with its trailing blank
    summon
    search_and_return "$search"
    expected="$expected$face"
    expect_bytes "$layout" "$expected" "$layout: \"$search\" and Return"
  done
  echo "$layout: the exact bytes arrived for a double-click and for $(echo "$searches" | wc -w) searches"
done
setxkbmap us

# The keys the user holds or has locked do not change what arrives: Shift still down from
# Return is let go first, and with Caps Lock on a small letter is typed as one.
xterm_for held
focus "$terminal"
summon
click_at 150 118
xdotool key ctrl+a BackSpace
xdotool type --delay 20 wink
xdotool keydown Shift_L key Return keyup Shift_L
expect_bytes held ";-)" "Return with Shift held"
summon
xdotool key Caps_Lock
search_and_return baseball
expect_bytes held ";-)d:-)" "Caps Lock on"
summon
xdotool key Caps_Lock
echo "Shift held and Caps Lock on changed nothing that arrived"

# The clipboard is the user's: typing leaves it alone.
printf 'keep me' | xclip -selection clipboard
xterm_for other
other=$terminal
xterm_for remembered
remembered=$terminal
focus "$other"
focus "$remembered"
summon
search_and_return wink
expect_bytes remembered ";-)" "the remembered xterm"
[ "$(xclip -o -selection clipboard)" = "keep me" ] || fail "typing changed the clipboard"
holds "$work/other.out" "" || fail "the xterm that was not the remembered window received bytes"
echo "only the remembered window received the face; the clipboard kept its text"

# A picture cannot go into a terminal: it is copied, and Glyphora says so in its window
# (what it says is read in the last part), with no box.
summon
click_at 20 20 # the "Big grin" button
click_at 150 118
xdotool key Return
wait_for 10 sh -c "xclip -o -selection clipboard -t TARGETS | grep -q image/" ||
  fail "the picture was not put on the clipboard"
sleep 0.5
! xdotool search --onlyvisible --name '^Glyphora$' >/dev/null 2>&1 || fail "a box opened about the picture"
active "$main" || fail "the main window lost the keyboard over the picture"
holds "$work/remembered.out" ";-)" || fail "the terminal received something for a picture"
echo "a picture was copied, not pasted into the terminal, and no box opened"

# The remembered window is gone: nothing is typed anywhere, the face is copied.
summon
xterm_pid=$(xprop -id "$remembered" _NET_WM_PID | awk '{print $3}')
kill "$xterm_pid"
wait_for 20 sh -c "! xdotool search --classname remembered >/dev/null 2>&1" ||
  fail "the remembered xterm did not go"
focus "$main"
search_and_return wink
wait_for 10 sh -c '[ "$(xclip -o -selection clipboard)" = ";-)" ]' ||
  fail "with its window gone, the face was not copied"
holds "$work/other.out" "" || fail "with the remembered window gone, another xterm received bytes"
echo "with the remembered window gone, the face was copied and typed nowhere"

# Fifty inserts through a spare keycode (the German grave accent) leave the mapping as it was.
setxkbmap de
xmodmap -pke >"$work/before.keys"
xterm_for fifty
focus "$terminal"
summon
search_and_return "eye - user shaved"
expected="\`:-)"
expect_bytes fifty "$expected" "the first of fifty"
for i in $(seq 2 50); do
  xdotool windowactivate "$main" 2>/dev/null || true
  wait_for 20 active "$main" || fail "the main window did not come back for insert $i"
  xdotool key Return
  expected="$expected\`:-)"
  expect_bytes fifty "$expected" "insert $i of fifty"
done
sleep 1 # the spare keycode is given back shortly after the last insert
xmodmap -pke >"$work/after.keys"
diff -u "$work/before.keys" "$work/after.keys" || fail "fifty inserts changed the keyboard mapping"
echo "fifty inserts through a spare keycode left the keyboard mapping as it was"

# "-display" names the X server for the typing as well as for the window: with DISPLAY at
# another server, the face still arrives in the xterm beside the window.
kill "$glyphora"
wait "$glyphora" 2>/dev/null || true
Xvfb -displayfd 3 -screen 0 640x480x24 3>"$work/other.display" >/dev/null 2>&1 &
pids="$pids $!"
wait_for 20 test -s "$work/other.display" || fail "a second X server did not start"
xterm_for elsewhere
focus "$terminal"
start_glyphora env DISPLAY=":$(cat "$work/other.display")" "$program" -display "$DISPLAY"
focus "$terminal"
summon
search_and_return wink
expect_bytes elsewhere ";-)" "started with -display and DISPLAY at another server"
echo "started with -display, the face was typed on that display"

# Lines skipped in a file saved while the user types elsewhere: no key is taken from the
# terminal, and the report is in a notification and in the window's notice line, which is
# read as a screen reader reads it. Glyphora beside the terminal, then minimised.
kill "$glyphora"
wait "$glyphora" 2>/dev/null || true
setxkbmap us
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/a11y.log" 2>&1 &
pids="$pids $!"
wait_for 20 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
  org.a11y.Bus.GetAddress >/dev/null 2>&1 || fail "the accessibility bus did not start"
/usr/bin/python3 "$notifier" "$work/notifications" >"$work/notifier.log" 2>&1 &
pids="$pids $!"
wait_for 20 test -e "$work/notifications" || fail "the notification service did not start"
notice() { /usr/bin/python3 "$reader" "$title" 2>>"$work/reader.log"; }
says() { notice | grep -qFx "$1"; }
notified() { [ "$(wc -l <"$work/notifications")" -eq "$1" ]; }
own="$XDG_DATA_HOME/Glyphora/smileys.txt"
xterm_for quiet
focus "$terminal"
start_glyphora env QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program"
focus "$terminal"
printf 'no tab\n' >"$own"
wait_for 10 notified 1 || fail "no notification named the skipped line"
grep -q "$own, line 1: no TAB" "$work/notifications" || fail "the notification did not name the line"
xdotool type --delay 20 hello
expect_bytes quiet "hello" "typed while the file was read again"
active "$terminal" || fail "reading the file again took the keyboard from the terminal"
wait_for 10 says "Lines skipped: smileys.txt, line 1: no TAB between the text and its caption." ||
  fail "the notice line did not name the skipped line: '$(notice)'"
echo "a bad line saved beside the running window was named without taking a key"

summon
xdotool windowminimize "$main"
focus "$terminal"
printf 'no tab\nnone here either\n' >"$own"
wait_for 10 notified 2 || fail "no notification for the second reading"
xdotool type --delay 20 world
expect_bytes quiet "helloworld" "typed while the file was read with Glyphora minimised"
active "$terminal" || fail "reading the file with Glyphora minimised took the keyboard"
summon
wait_for 10 says "Lines skipped: smileys.txt, line 1: no TAB between the text and its caption. And 1 more." ||
  fail "the summoned window did not name the skipped lines: '$(notice)'"
: >"$own"
wait_for 10 sh -c "! /usr/bin/python3 '$reader' '$title' | grep -q '^Lines skipped'" ||
  fail "a good reading did not end the notice: '$(notice)'"
echo "with Glyphora minimised, the report waited in its window for the next summon"

# A picture for the terminal is said in the notice line.
click_at 20 20
click_at 150 118
xdotool key Return
wait_for 10 says "Not pasted: the window you came from takes text only. The picture is on the clipboard." ||
  fail "the notice did not say why the picture was not pasted: '$(notice)'"

# No spare keycode to lend (every keycode mapped, as some remappers leave it): a face the
# layout lacks is copied, and the user is told why.
setxkbmap de
xmodmap -pke | awk '$NF == "=" { print "keycode " $2 " = F35" }' >"$work/fill.xmodmap"
[ -s "$work/fill.xmodmap" ] || fail "the keymap had no spare keycode to fill"
xmodmap "$work/fill.xmodmap"
focus "$terminal"
summon
search_and_return "eye - user shaved"
wait_for 10 sh -c '[ "$(xclip -o -selection clipboard)" = "\`:-)" ]' ||
  fail "with no spare keycode, the face was not copied"
no_spare=$(printf 'Not typed: your keyboard has no key for \342\200\234`\342\200\235 and none spare to lend it. The face is on the clipboard.')
wait_for 10 says "$no_spare" ||
  fail "with no spare keycode, the notice did not say why: '$(notice)'"
setxkbmap us
holds "$work/quiet.out" "helloworld" || fail "with no spare keycode, the terminal received bytes"
echo "with no spare keycode, the face was copied and the notice said why"

# Glyphora's own summon key, pressed in the terminal: the window comes with the search box
# ready, so a search and Return type the face; pressed in Glyphora, the keyboard goes back.
xterm_for summoned
focus "$terminal"
xdotool key super+period
wait_for 20 active "$main" || fail "super+period did not summon the window"
xdotool type --delay 20 imo
xdotool key Return
expect_bytes summoned "IMO " "summoned by its key, a search and Return"
# A later start readies the search box too.
focus "$terminal"
summon
xdotool type --delay 20 wink
xdotool key Return
expect_bytes summoned "IMO ;-)" "summoned by a later start, a search and Return"
xdotool key super+period
wait_for 20 active "$main" || fail "super+period did not summon the window again"
xdotool key super+period
wait_for 20 active "$terminal" || fail "pressed in Glyphora, the key did not give the keyboard back"
echo "the summon key brought the window with the search box ready, and gave the keyboard back"

# A key changed from the command line takes over at once; the old one no longer summons.
"$program" shortcut ctrl+alt+e || fail "glyphora shortcut ctrl+alt+e failed"
pressed_summons() { xdotool key "$1"; sleep 0.2; active "$main"; }
wait_for 20 pressed_summons ctrl+alt+e || fail "the new key did not summon the window"
focus "$terminal"
xdotool key super+period
sleep 1
active "$terminal" || fail "the old key still summoned the window"
echo "a key changed from the command line took over at once"

# A key that another program holds is reported; Glyphora runs on.
/usr/bin/python3 -c '
import sys, time
from Xlib import X, XK, display
d = display.Display()
code = d.keysym_to_keycode(XK.string_to_keysym("period"))
d.screen().root.grab_key(code, X.Mod4Mask, True, X.GrabModeAsync, X.GrabModeAsync)
d.sync()
print("grabbed", flush=True)
time.sleep(60)
' >"$work/grabber.out" 2>&1 &
pids="$pids $!"
wait_for 20 grep -q grabbed "$work/grabber.out" || fail "another client could not grab super+period"
"$program" shortcut super+period || fail "glyphora shortcut super+period failed"
wait_for 20 grep -q "glyphora: super+period is taken by another program" "$work/glyphora.log" ||
  fail "a key held by another program was not reported"
pressed_summons ctrl+alt+e && fail "the old key still summoned the window after the change"
"$program" shortcut none
summon
echo "a key held by another program was reported, and the window still answers"

# Characters that X names by keysyms of its own (the euro sign, a katakana) arrive through
# the spare keys lent those keysyms, byte for byte.
printf '\342\202\254\343\203\204\tEuro kana - a face of the test\n' >"$own"
sleep 1 # read again once the file is quiet
xterm_for kana
focus "$terminal"
summon
search_and_return "euro kana"
expect_bytes kana "$(printf '\342\202\254\343\203\204')" "a face of X's own keysyms"
echo "the euro sign and a katakana arrived through lent keys"

# The search's way changed from the command line: the running window takes it at once.
# By beginnings only, "grin" finds nothing and "gr" keeps its choice, GR8; by words, BG.
xterm_for searched
focus "$terminal"
"$program" search start || fail "glyphora search start failed"
sleep 1
summon
search_and_return grin
expect_bytes searched "GR8" "grin by beginnings only"
"$program" search words || fail "glyphora search words failed"
sleep 1
focus "$terminal"
summon
search_and_return grin
expect_bytes searched "GR8BG" "grin by its word, after the search's way changed back"
echo "the running window took the search's way from the command line at once"

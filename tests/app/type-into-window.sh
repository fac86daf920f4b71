#!/bin/sh
# Return and a double-click type the chosen face into the window the user came from: the
# real program under Xvfb with openbox and a private session bus, beside real xterms that
# write what they receive, byte for byte, to files. The exact bytes arrive on the US, German
# and French layouts, with Shift held and with Caps Lock on; the clipboard is left alone; an
# xterm that was not the remembered window receives nothing; a vanished window gets the face
# copied instead; a picture is not pasted into a terminal; fifty inserts through a spare
# keycode leave the keyboard mapping as it was; "-display" names the server typed into.
#   type-into-window.sh <glyphora> <main window title>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
program=$1 title=$2
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

# A picture cannot go into a terminal: it is copied, and Glyphora says so.
summon
click_at 20 20 # the "Big grin" button
click_at 150 118
xdotool key Return
wait_for 10 sh -c "xclip -o -selection clipboard -t TARGETS | grep -q image/" ||
  fail "the picture was not put on the clipboard"
box=$(xdotool search --sync --limit 1 --name '^Glyphora$') || fail "no message about the picture"
xdotool windowactivate "$box" key Return 2>/dev/null || true
holds "$work/remembered.out" ";-)" || fail "the terminal received something for a picture"
echo "a picture was copied, not pasted into the terminal, with a message"

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

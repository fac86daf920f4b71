# Shared by the scripts that run the real program under Xvfb; sourced, not run.

# A fresh user folder in $1 with sounds off, so a test neither reads the caller's settings
# nor needs a sound server.
private_home() { # folder
  export HOME="$1" XDG_CONFIG_HOME="$1/config" XDG_DATA_HOME="$1/data" \
         XDG_RUNTIME_DIR="$1/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Glyphora" && chmod 700 "$XDG_RUNTIME_DIR"
  printf '[Settings]\nSound=0\n' >"$XDG_CONFIG_HOME/Glyphora/Glyphora.conf"
}
# Runs a check every tenth of a second until it holds or the seconds run out. The bounds are
# generous: a check that holds ends the wait at once, and a loaded machine needs the room.
wait_for() { # seconds check...
  tries=$(( $1 * 10 )); shift
  until "$@"; do
    tries=$(( tries - 1 ))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# Starts openbox, with these options, and waits until it manages the screen: its process in
# $wm_pid, what it says in $HOME/wm.log.
window_manager() { # [option...]
  openbox --sm-disable "$@" >"$HOME/wm.log" 2>&1 &
  wm_pid=$!
  wait_for 20 wm_ready
}
# The main window titled $1, once it is shown within ten seconds: its id in $main, and in
# $menu the height of its menu bar, over the client area of 417 pixels that click() aims in.
find_main() { # title
  wait_for 10 main_shown "$1" || return 1
  menu=$(( $(xdotool getwindowgeometry "$main" | awk '/Geometry/ { split($2, s, "x"); print s[2] }') - 417 ))
}
main_shown() { # title
  main=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1 || true)
  [ -n "$main" ]
}
click() { # x y in twips of the main window's client area, at 96 dpi
  xdotool mousemove --window "$main" $(( $1 / 15 )) $(( $2 / 15 + menu )) click 1
}
# A session bus of the script's own, where a systemd user session keeps it
# ($XDG_RUNTIME_DIR/bus): exported in DBUS_SESSION_BUS_ADDRESS, its process in $bus_pid.
private_bus() {
  dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" --print-address \
    >"$HOME/bus-address" 2>"$HOME/bus.log" &
  bus_pid=$!
  wait_for 20 test -s "$HOME/bus-address" || return 1
  DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$HOME/bus-address")
  export DBUS_SESSION_BUS_ADDRESS
}

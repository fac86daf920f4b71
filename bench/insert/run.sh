#!/bin/sh
# Times typing a face into an xterm: Xvfb, openbox, an xterm whose reader notes the
# monotonic clock for every face it receives, and bench_insert pressing Return in the real
# main window. A layout name (de, fr) runs it on that keyboard layout.
#   run.sh <bench_insert> [runs] [layout] [face]
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
bench=$1 runs=${2:-50} layout=${3:-us} face=${4:-IMO :-);-)}
work=$(mktemp -d)
pids=
trap 'for p in $pids; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
. "$(dirname "$0")/../../tests/app/session-common.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb
window_manager
pids="$pids $wm_pid"
setxkbmap "$layout"
cat >"$work/reader.py" <<'END'
import os, sys, time
out, size, got = open(sys.argv[1], "a", buffering=1), int(sys.argv[2]), 0
while True:
    data = os.read(0, 4096)
    if not data:
        break
    got += len(data)
    while got >= size:
        got -= size
        out.write(f"{time.monotonic_ns()}\n")
END
size=$(printf '%s' "$face" | wc -c)
xterm -name reader -e sh -c "stty raw -echo; exec python3 '$work/reader.py' '$work/arrivals' $size" \
  2>/dev/null &
pids="$pids $!"
terminal=$(xdotool search --sync --onlyvisible --limit 1 --classname '^reader$')
xdotool windowactivate --sync "$terminal"
"$bench" "$work/arrivals" "$runs" "$face"

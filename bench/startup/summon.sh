#!/bin/sh
# Times a later start bringing the running window forward: Xvfb, openbox, a private session
# bus and a running copy of the program, then bench_summon starting it again.
# Then the same with the running copy's own summon key.
#   summon.sh <bench_summon> <glyphora> <main window title> [runs]
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1024x768x24 -dpi 96" sh "$0" "$@"
fi
bench=$1 program=$2 title=$3 runs=${4:-40}
work=$(mktemp -d)
pids=
trap 'for p in $pids; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT
unset DESKTOP_STARTUP_ID XDG_ACTIVATION_TOKEN WAYLAND_DISPLAY
. "$(dirname "$0")/../../tests/app/session-common.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb
window_manager
pids="$pids $wm_pid"
private_bus
pids="$pids $bus_pid"
"$program" >/dev/null 2>&1 &
pids="$pids $!"
xdotool search --sync --onlyvisible --name "^$title\$" >/dev/null
"$bench" "$program" "$title" "$runs"
"$bench" "$program" "$title" "$runs" key

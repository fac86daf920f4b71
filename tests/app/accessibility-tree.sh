#!/bin/sh
# The real program read over AT-SPI, as a screen reader reads it: under Xvfb with a private
# session bus and accessibility bus, atspi_tree.py lists the main window's accessible tree
# and checks its names, roles, descriptions, keyboard reach and menu access keys.
#   accessibility-tree.sh <glyphora> <atspi_tree.py> <main window title> <faces.txt>
set -eu
if [ -z "${GLYPHORA_IN_XVFB:-}" ]; then
  GLYPHORA_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" \
    dbus-run-session -- sh "$0" "$@"
fi
program=$1 checker=$2 title=$3 faces=$4
work=$(mktemp -d)
bus_pid= pid=
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null || true; fi
  if [ -n "$bus_pid" ]; then kill "$bus_pid" 2>/dev/null || true; wait "$bus_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
. "$(dirname "$0")/session-common.sh"
private_home "$work"
export QT_QPA_PLATFORM=xcb

# The accessibility bus, as a desktop session starts it; its output stays out of the test's.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/bus.log" 2>&1 &
bus_pid=$!
for _ in $(seq 100); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 && break
  sleep 0.1
done

# Qt exposes its tree when a screen reader is running; none is, so ask for it.
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" >"$work/program.log" 2>&1 &
pid=$!
status=0
/usr/bin/python3 "$checker" "$title" "$faces" || status=$?
if [ "$status" -ne 0 ]; then
  echo "--- the checker ended with $status; program output"; cat "$work/program.log"
  echo "--- accessibility bus"; cat "$work/bus.log"
fi
exit "$status"

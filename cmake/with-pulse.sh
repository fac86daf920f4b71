#!/bin/sh
# Runs a command beside a private PulseAudio server whose only output is a null sink,
# so the real sound path can be exercised without a sound card.
set -eu
pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
  --load="module-null-sink sink_name=glyphora_null" --load="module-native-protocol-unix" \
  >"$XDG_RUNTIME_DIR/pulseaudio.log" 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true' EXIT INT TERM
tries=0
until pactl info >/dev/null 2>&1; do
  tries=$((tries + 1))
  if [ "$tries" -gt 50 ]; then
    echo "PulseAudio did not start:" >&2
    cat "$XDG_RUNTIME_DIR/pulseaudio.log" >&2
    exit 1
  fi
  sleep 0.1
done
"$@"

#!/bin/sh
# Runs one test binary offscreen with fresh, private XDG folders and HOME.
set -eu
root=$(mktemp -d "${TMPDIR:-/tmp}/glyphora-test.XXXXXX")
trap 'rm -rf "$root"' EXIT INT TERM
mkdir -p "$root/home" "$root/config" "$root/data" "$root/cache" "$root/runtime"
chmod 700 "$root/runtime"
export HOME="$root/home" XDG_CONFIG_HOME="$root/config" XDG_DATA_HOME="$root/data" \
       XDG_CACHE_HOME="$root/cache" XDG_RUNTIME_DIR="$root/runtime"
export QT_QPA_PLATFORM="${GLYPHORA_TEST_PLATFORM:-offscreen}"
"$@"

#!/usr/bin/env bash
# Pictures of the playlist window and every dialog, drawn on a private Xvfb
# with the Japanese fonts, in each language: FOLDER/ja/ and FOLDER/en/
# (FOLDER is build/screenshots by default).
# Needs the release build of the tests (scripts/test.sh).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$top/build/screenshots}
tool=$top/build/release/tests/desktop/orvana-screenshots
[ -f "$top/build/release/CMakeCache.txt" ] || { echo "screenshots.sh: build the tests first (scripts/test.sh)" >&2; exit 1; }
cmake --build "$top/build/release" --target orvana-screenshots -j "$(nproc)" >/dev/null

home=$(mktemp -d)
chmod 700 "$home"
number=$((300 + RANDOM % 500))
Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$home"' EXIT
for _ in $(seq 100); do [ -S "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done

for language in ja en; do
  env DISPLAY=":$number" QT_QPA_PLATFORM=xcb HOME="$home" XDG_CONFIG_HOME="$home" XDG_RUNTIME_DIR="$home" \
    DBUS_SESSION_BUS_ADDRESS=disabled: timeout 60 "$tool" "$top/samples/demo.mp3" "$out/$language" "$language"
done

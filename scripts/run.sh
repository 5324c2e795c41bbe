#!/usr/bin/env bash
# Installs what is missing, builds Orvana and starts the desktop program with
# the bundled demo song added and playing. Without a display it says so and
# plays the demo with orvana-cli on the sound device (or into a WAV file
# where there is no device).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" run
"$top/scripts/build.sh" "$top/build/run" -DORVANA_BUILD_TESTS=OFF -DORVANA_BUILD_BENCH=OFF
demo="$top/samples/demo.mp3"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  echo "Starting Orvana with the demo song; its settings and playlist live in $top/build/run/app/"
  exec "$top/build/run/app/orvana" "$demo"
fi

echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): playing the demo song with orvana-cli instead"
cli="$top/build/run/cli/orvana-cli"
status=0
"$cli" play "$demo" || status=$?
if [ "$status" -eq 3 ]; then
  out="$top/build/demo.wav"
  echo "No sound device could be opened: writing the demo song to $out instead"
  "$cli" play --wave-out "$out" "$demo"
  exit 0
fi
exit "$status"

#!/usr/bin/env bash
# Installs what is missing, builds Orvana and plays the bundled demo song on
# the sound device, or writes it to a WAV file where there is no device.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" run
"$top/scripts/build.sh" "$top/build/player" -DORVANA_BUILD_TESTS=OFF -DORVANA_BUILD_BENCH=OFF
cli="$top/build/player/cli/orvana-cli"
demo="$top/samples/demo.mp3"
echo "Playing the demo song on the sound device (Ctrl+C stops it)"
status=0
"$cli" play "$demo" || status=$?
if [ "$status" -eq 3 ]; then
  out="$top/build/demo.wav"
  echo "No sound device could be opened: writing the demo song to $out instead"
  "$cli" play --wave-out "$out" "$demo"
  exit 0
fi
exit "$status"

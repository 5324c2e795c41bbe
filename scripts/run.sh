#!/usr/bin/env bash
# Installs what is missing, builds Orvana and decodes the bundled demo song.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" run
mkdir -p "$top/build"
"$top/scripts/build.sh" "$top/build/release" -DORVANA_BUILD_TESTS=OFF -DORVANA_BUILD_BENCH=OFF
out="$top/build/demo.wav"
"$top/build/release/cli/orvana-cli" decode "$top/samples/demo.mp3" "$out"
echo "Decoded the demo song to $out"

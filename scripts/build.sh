#!/usr/bin/env bash
# Configures and builds one configuration. Usage: build.sh DIR [cmake args...]
# ORVANA_TARGETS, when set, names the only targets to build.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
mkdir -p "$(dirname "$dir")"
cmake -S "$top" -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@" > "$dir.configure.log" 2>&1 \
  || { cat "$dir.configure.log"; exit 1; }
targets=()
for target in ${ORVANA_TARGETS:-}; do targets+=(--target "$target"); done
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"

#!/usr/bin/env bash
# Installs a build into a fresh prefix and checks what lands there: exactly the
# listed files, no run path into the build tree, and a launcher that finds its
# library and a command-line tool that runs.
# Usage: install_test.sh BUILD_DIR INSTALLED_FILES_LIST
set -euo pipefail
build=$1 expected=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

cmake --install "$build" --prefix "$prefix" > "$work/install.log" || { cat "$work/install.log"; exit 1; }

(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort) > "$work/installed"
LC_ALL=C sort "$expected" > "$work/expected"
if ! diff -u "$work/expected" "$work/installed"; then
  echo "FAIL: the installed files differ from $expected"
  exit 1
fi

for binary in bin/orvana bin/orvana-cli lib/orvana/liborvana-desktop.so; do
  if readelf -d "$prefix/$binary" | grep -E '\((RPATH|RUNPATH)\)'; then
    echo "FAIL: $binary keeps a run path"
    exit 1
  fi
done

"$prefix/bin/orvana-cli" help > "$work/cli.log" || { cat "$work/cli.log"; echo "FAIL: orvana-cli help"; exit 1; }

# Qt reports a platform plugin it cannot find only once the launcher has
# loaded the library from ../lib/orvana/ and entered it; it then aborts.
mkdir -m 0700 "$work/home" "$work/config" "$work/runtime"
status=0
env -i PATH=/usr/bin:/bin HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" \
  DBUS_SESSION_BUS_ADDRESS=disabled: QT_QPA_PLATFORM=orvana-no-such-platform \
  ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
  timeout 20 "$prefix/bin/orvana" > "$work/orvana.log" 2>&1 || status=$?
if [ "$status" -eq 124 ] || ! grep -q 'orvana-no-such-platform' "$work/orvana.log"; then
  cat "$work/orvana.log"
  echo "FAIL: the installed orvana did not reach Qt (status $status)"
  exit 1
fi
echo "installed $(wc -l < "$work/installed") files; orvana loads its library"

#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test: a release build,
# an AddressSanitizer + UndefinedBehaviorSanitizer build and a ThreadSanitizer
# build of the threaded layers.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh" test
jobs=$(nproc)

run_tests() {  # DIR [ctest args...]
  local dir=$1; shift
  echo "== tests in $dir"
  ctest --test-dir "$dir" --output-on-failure --no-tests=error -j "$jobs" "$@"
}

# The benchmarks are not part of the run: scripts/install-deps.sh bench and a
# build with -DORVANA_BUILD_BENCH=ON make them.
"$top/scripts/build.sh" "$top/build/release" -DORVANA_BUILD_TESTS=ON -DORVANA_BUILD_BENCH=OFF
run_tests "$top/build/release"

"$top/scripts/build.sh" "$top/build/asan" -DORVANA_SANITIZE=address,undefined -DORVANA_BUILD_TESTS=ON -DORVANA_BUILD_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$top/tests/lsan-suppressions.txt":print_suppressions=0 \
  run_tests "$top/build/asan"

# The desktop program keeps to the event loop's thread: ThreadSanitizer
# looks at the layers that run threads, built without it, and only at their
# tests (the player's compare with orvana-cli; network streams run a thread
# of their own each).
ORVANA_TARGETS="platform_tests player_tests network_tests orvana-cli" "$top/scripts/build.sh" "$top/build/tsan" -DORVANA_SANITIZE=thread -DORVANA_BUILD_TESTS=ON -DORVANA_BUILD_BENCH=OFF \
  -DORVANA_BUILD_DESKTOP=OFF
TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 run_tests "$top/build/tsan" -L 'platform|player|network'

echo "All tests passed."

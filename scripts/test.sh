#!/usr/bin/env bash
# Sets up, builds (warnings as errors) and runs every test; fails when a test fails.
# With --sanitize the build uses AddressSanitizer and UndefinedBehaviorSanitizer.
# With --thread it uses ThreadSanitizer and builds and runs the model, views and end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-test
extra=(-DAMBRELIX_WERROR=ON)
case "${1:-}" in
--sanitize)
    build_dir=build-sanitize
    extra+=(-DAMBRELIX_SANITIZE=ON -DAMBRELIX_BENCHMARKS=OFF)
    ;;
--thread)
    build_dir=build-thread
    extra+=(-DAMBRELIX_THREAD_SANITIZE=ON -DAMBRELIX_BENCHMARKS=OFF)
    ;;
esac
bash scripts/setup.sh "$build_dir" "${extra[@]}"

export ASAN_OPTIONS=detect_leaks=0
# Mesa's shader compiler holds more locks at once than the deadlock detector can track.
export TSAN_OPTIONS="suppressions=$PWD/scripts/tsan.supp detect_deadlocks=0"
# Tests on the xcb platform need a screen: give them a virtual one.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j "$(nproc)"

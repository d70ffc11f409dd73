#!/usr/bin/env bash
# Sets up, builds (warnings as errors) and runs every test; fails when a test fails.
# With --sanitize the build uses AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=build-test
extra=(-DAMBRELIX_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-sanitize
    extra+=(-DAMBRELIX_SANITIZE=ON -DAMBRELIX_BENCHMARKS=OFF)
fi
bash scripts/setup.sh "$build_dir" "${extra[@]}"

export ASAN_OPTIONS=detect_leaks=0
# Tests on the xcb platform need a screen: give them a virtual one.
xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j "$(nproc)"

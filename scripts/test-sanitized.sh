#!/usr/bin/env bash
# Builds the std-only core and its tests with address and undefined-behaviour
# sanitizers and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
build=${KAVIR_SAN_BUILD_DIR:-build-asan}
cache=()
if command -v ccache >/dev/null; then cache=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake --preset sanitized -B "$build" "${cache[@]}" >/dev/null
cmake --build "$build"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$build" --output-on-failure -j2 --timeout 600

#!/usr/bin/env bash
# Installs what is missing, builds Plakora and runs the whole test suite.
#   PLAKORA_BUILD_DIR  build folder (default: build)
#   PLAKORA_SANITIZE   ON to build with AddressSanitizer and UBSan
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

build_dir="${PLAKORA_BUILD_DIR:-build}"
sanitize="${PLAKORA_SANITIZE:-OFF}"

cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPLAKORA_SANITIZE="$sanitize"
cmake --build "$build_dir" -- -j2

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir "$build_dir" --output-on-failure -j2

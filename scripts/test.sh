#!/usr/bin/env bash
# Installs what is missing, builds Plakora and runs the whole test suite.
#   PLAKORA_BUILD_DIR  build folder (default: build)
#   PLAKORA_BUILD_TYPE CMake build type (default: Debug)
#   PLAKORA_SANITIZE   ON to build with AddressSanitizer and UBSan
#   PLAKORA_TSAN       ON to build with ThreadSanitizer
#   PLAKORA_TESTS      run only the tests whose names match this expression
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

build_dir="${PLAKORA_BUILD_DIR:-build}"
build_type="${PLAKORA_BUILD_TYPE:-Debug}"
sanitize="${PLAKORA_SANITIZE:-OFF}"
tsan="${PLAKORA_TSAN:-OFF}"

# Warnings are errors in every build this script makes.
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" -DPLAKORA_WERROR=ON \
    -DPLAKORA_SANITIZE="$sanitize" -DPLAKORA_TSAN="$tsan"
cmake --build "$build_dir" -- -j2

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
# Qt is not built with ThreadSanitizer: what its own libraries do inside
# (thread pools, wait conditions) is left out; every access of ours is checked.
# Some tests start a local file server from a process that has threads.
export TSAN_OPTIONS="${TSAN_OPTIONS:-halt_on_error=1:ignore_noninstrumented_modules=1:second_deadlock_stack=1:die_after_fork=0}"
ctest_args=(--test-dir "$build_dir" --output-on-failure -j2)
if [ -n "${PLAKORA_TESTS:-}" ]; then
  ctest_args+=(-R "$PLAKORA_TESTS")
fi
ctest "${ctest_args[@]}"

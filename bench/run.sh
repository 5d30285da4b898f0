#!/usr/bin/env bash
# Builds the benchmarks in a Release tree (the configuration users run) and
# runs them one after another. They print figures; none fails on time.
#   PLAKORA_BENCH_DIR  build folder (default: build-bench); a Release tree
#                      built already (CI's build-release) is reused as it is
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

build_dir="${PLAKORA_BENCH_DIR:-build-bench}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" --target show_bench panel_bench slideshow_bench font_bench feed_bench \
    live_bench remote_bench plakora -- -j2

export QT_QPA_PLATFORM=offscreen
for bench in show_bench panel_bench slideshow_bench font_bench feed_bench live_bench; do
  echo "== $bench"
  "$build_dir/bench/$bench" 2> >(grep -v -e '^QStandardPaths' -e 'This plugin does not support' >&2)
done

# Remote control over a session bus of the benchmark's own.
echo "== remote_bench"
dbus-run-session -- "$build_dir/bench/remote_bench" 2> >(grep -v -e '^QStandardPaths' \
  -e 'This plugin does not support' -e 'dbus-daemon' >&2)

# The editor sitting idle: how often the program wakes up.
echo "== idle wake-ups"
bench/idle_wakeups.sh "$build_dir" 10

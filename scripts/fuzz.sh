#!/usr/bin/env bash
# Builds the fuzzers with clang and libFuzzer, then runs each one for a while
# on a copy of its seed corpus (the repository is never written to). Fails
# when a fuzzer finds an input that breaks it.
#   PLAKORA_FUZZ_SECONDS  seconds per fuzzer (default 30)
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

build_dir=build-fuzz
seconds="${PLAKORA_FUZZ_SECONDS:-30}"

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPLAKORA_FUZZ=ON -DPLAKORA_WERROR=ON
cmake --build "$build_dir" -- -j2

fuzzers=()
for f in "$build_dir"/fuzz/fuzz_*; do
  if [ -f "$f" ] && [ -x "$f" ]; then
    fuzzers+=("$(realpath "$f")")
  fi
done
if [ ${#fuzzers[@]} -eq 0 ]; then
  echo "fuzz: no fuzzer was built in $build_dir/fuzz" >&2
  exit 1
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"

failed=()
for exe in "${fuzzers[@]}"; do
  name="$(basename "$exe")"
  short="${name#fuzz_}"
  dir="$work/$name"
  mkdir -p "$dir/corpus"
  if [ -d "fuzz/corpus/$short" ]; then
    cp -R "fuzz/corpus/$short/." "$dir/corpus/"
  fi
  args=(-max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$dir/")
  if [ -f "fuzz/$short.dict" ]; then
    args+=(-dict="fuzz/$short.dict")
  fi
  echo "== $name: ${seconds}s on $(find "$dir/corpus" -type f | wc -l) seed inputs"
  status=0
  "$exe" "${args[@]}" "$dir/corpus" >"$dir/log" 2>&1 || status=$?
  runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$dir/log")"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$dir/log")"
  echo "$name: ${runs:-?} executions, ${rate:-?} per second, exit status $status"
  if [ "$status" -ne 0 ]; then
    tail -n 80 "$dir/log"
    for crash in "$dir"/crash-* "$dir"/leak-* "$dir"/timeout-* "$dir"/oom-*; do
      [ -f "$crash" ] || continue
      echo "-- input $(basename "$crash") (base64):"
      base64 "$crash" | head -c 8192
      echo
    done
    failed+=("$name")
  fi
done

if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz: failed: ${failed[*]}" >&2
  exit 1
fi
echo "fuzz: ${#fuzzers[@]} fuzzers ran without a failure"

#!/usr/bin/env bash
# Installs what is missing, builds Plakora and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

build_dir="${PLAKORA_BUILD_DIR:-build-app}"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --target plakora -- -j2
exec "$build_dir/app/plakora"

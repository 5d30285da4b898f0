#!/usr/bin/env bash
# Fails when a C++ file of the tree is not formatted as .clang-format says;
# `clang-format -i FILE` mends one.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "format: $(git ls-files '*.cpp' '*.h' | wc -l) files formatted as .clang-format says"

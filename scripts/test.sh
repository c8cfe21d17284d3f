#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UBSan build in build-sanitize/
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build
sanitize=OFF
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-sanitize
    sanitize=ON
fi

scripts/install-deps.sh
cmake -S . -B "$build_dir" -G Ninja -DZELMORA_SANITIZE="$sanitize"
cmake --build "$build_dir"
# Tests that need an X display (GUI) get a virtual one; the rest run headless.
xvfb-run -a ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"

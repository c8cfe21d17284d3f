#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
#   scripts/test.sh              normal build in build/
#   scripts/test.sh --sanitize   AddressSanitizer + UBSan build with clang in
#                                build-sanitize/, shared with scripts/fuzz.sh
#                                (benchmarks left out)
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
if [ "${1:-}" = "--sanitize" ]; then
    build_dir=build-sanitize
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DZELMORA_SANITIZE=ON -DZELMORA_FUZZ=ON -DZELMORA_BUILD_BENCH=OFF
else
    build_dir=build
    cmake -S . -B "$build_dir" -G Ninja
fi
cmake --build "$build_dir"
# Tests that need an X display (GUI) get a virtual one; the rest run headless.
xvfb-run -a ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"

#!/usr/bin/env bash
# Installs what is missing, builds, and runs Zelmora on the bundled demo.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build

demo_dir=$(mktemp -d -t zelmora-demo-XXXXXX)
echo "Demo project in $demo_dir"
build/src/cli/zelmora-cli project new "$demo_dir/demo.zel"
build/src/cli/zelmora-cli project show "$demo_dir/demo.zel"

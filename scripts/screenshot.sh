#!/usr/bin/env bash
# Writes docs/zelmora.png: the window on the demo, under Xvfb, with the
# navigator's house selected, the three orthographic views and the live view.
# The window test that checks the demo's live view takes the picture.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target window_tests
ZELMORA_SCREENSHOT="$PWD/docs/zelmora.png" \
    xvfb-run -a -s "-screen 0 1280x800x24" build/tests/ui/view/window_tests demo
echo "Wrote docs/zelmora.png"

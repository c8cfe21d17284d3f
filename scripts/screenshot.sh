#!/usr/bin/env bash
# Writes the README's pictures under Xvfb: docs/zelmora.png, the window on the
# demo with the house selected (its typed placement in the navigator), the
# three orthographic views and the live view; docs/zelmora-en.png, the window
# in English on an empty project with its hint. The window tests that check
# those screens take the pictures.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build --target window_tests
export ZELMORA_README_PICTURES="$PWD/docs"
xvfb-run -a -s "-screen 0 1280x800x24" build/tests/ui/view/window_tests demo
LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= LANGUAGE= \
    xvfb-run -a -s "-screen 0 1280x800x24" build/tests/ui/view/window_tests english menusReadInEnglish
echo "Wrote docs/zelmora.png and docs/zelmora-en.png"

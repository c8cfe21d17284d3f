#!/usr/bin/env bash
# Installs what is missing, builds, writes the bundled demo into a scratch
# folder and tracks it without a window, printing the tracking summary.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja
cmake --build build

cli=build/src/cli/zelmora-cli
demo_dir=$(mktemp -d -t zelmora-demo-XXXXXX)
echo "Writing the demo project (markers, camera, model, 90 rendered frames) into $demo_dir ..."
"$cli" demo "$demo_dir"
echo "Tracking it; poses go to $demo_dir/track.csv, beside groundtruth.csv"
"$cli" track "$demo_dir/demo.zel" --out "$demo_dir/track.csv"
echo "Print the markers from $demo_dir/marcadores/*-imprimir.png to track them with a camera."

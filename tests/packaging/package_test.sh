#!/usr/bin/env bash
# Builds the Debian package from a build tree into a scratch folder and
# checks it with scripts/check-package.sh.
#   package_test.sh CPACK BUILD_DIR SOURCE_DIR
set -euo pipefail
cpack=$1 build_dir=$2 source_dir=$3

scratch=$(mktemp -d -t zelmora-cpack-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
if ! "$cpack" --config "$build_dir/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log" >&2
    exit 1
fi
"$source_dir/scripts/check-package.sh" "$scratch"/zelmora_*.deb

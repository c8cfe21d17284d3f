#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/) with clang, AddressSanitizer and
# UBSan in build-sanitize/ (the build `scripts/test.sh --sanitize` runs the
# tests in), and fuzzes one target or all of them in turn.
#   scripts/fuzz.sh                 every target, 60 s each
#   scripts/fuzz.sh detect 240      fuzz_detect for 4 minutes
#   scripts/fuzz.sh all 5           every target for 5 s (CI's smoke run)
# Targets: project camera pattern image check_3ds load_3ds load_mesh detect. The
# corpus grows in build-sanitize/corpus/TARGET/ from the seeds fuzz_seeds
# makes; a crash is saved as build-sanitize/crashes/TARGET-crash-* and fails
# the run.
set -euo pipefail
cd "$(dirname "$0")/.."

all_targets=(project camera pattern image check_3ds load_3ds load_mesh detect)
target=${1:-all}
seconds=${2:-60}
if [ "$target" = all ]; then
    targets=("${all_targets[@]}")
elif [[ " ${all_targets[*]} " == *" $target "* ]]; then
    targets=("$target")
else
    echo "unknown target '$target'; one of: all ${all_targets[*]}" >&2
    exit 2
fi

scripts/install-deps.sh
build_dir=$PWD/build-sanitize
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZELMORA_SANITIZE=ON -DZELMORA_FUZZ=ON -DZELMORA_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" --target fuzz_all
if [ ! -d "$build_dir/seeds" ]; then
    "$build_dir/fuzz/fuzz_seeds" "$build_dir/seeds.tmp"
    mv "$build_dir/seeds.tmp" "$build_dir/seeds"
fi

mkdir -p "$build_dir/crashes"
for name in "${targets[@]}"; do
    echo "== fuzz_$name, $seconds s" >&2
    mkdir -p "$build_dir/corpus/$name"
    # Standard output is closed: the readers' diagnostics would drown the
    # fuzzer's own lines.
    "$build_dir/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=20 -close_fd_mask=1 \
        -print_final_stats=1 -artifact_prefix="$build_dir/crashes/$name-" \
        "$build_dir/corpus/$name" "$build_dir/seeds/$name"
done

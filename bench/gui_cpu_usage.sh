#!/usr/bin/env bash
# Process CPU time of the window over a stretch of wall time, under Xvfb:
# a project open and idle, then the same project running its video.
#   bench/gui_cpu_usage.sh [BUILD_DIR] [SECONDS]
# Prints the share of one core each case used. Needs xvfb-run.
set -euo pipefail
build=${1:-build}
seconds=${2:-20}
build=$(cd "$build" && pwd)
demo=$(mktemp -d -t zelmora-cpu-XXXXXX)
trap 'rm -rf "$demo"' EXIT
"$build/src/cli/zelmora-cli" demo "$demo" >/dev/null

# CPU seconds (user + system) of process $1, from /proc.
cpu_seconds() {
    awk -v hz="$(getconf CLK_TCK)" '{printf "%.3f", ($14 + $15) / hz}' "/proc/$1/stat"
}

measure() {
    local label=$1
    shift
    xvfb-run -a -s "-screen 0 ${SCREEN:-1280x800}x24" "$build/src/ui/shell/zelmora" "$demo/demo.zel" "$@" \
        >/dev/null 2>&1 &
    local runner=$!
    local pid=""
    for _ in $(seq 50); do
        pid=$(pgrep -n -f "^$build/src/ui/shell/zelmora $demo" || true)
        [ -n "$pid" ] && break
        sleep 0.2
    done
    # Start-up (loading, the first frames) is not what is measured.
    sleep 3
    local before after
    before=$(cpu_seconds "$pid")
    sleep "$seconds"
    after=$(cpu_seconds "$pid")
    kill "$pid"
    wait "$runner" 2>/dev/null || true
    awk -v a="$after" -v b="$before" -v s="$seconds" -v l="$label" \
        'BEGIN {printf "%s: %.1f%% of one core over %d s\n", l, 100 * (a - b) / s, s}'
}

measure "project open, no run"
measure "demo running (640 x 480, 30 fps)" --capture

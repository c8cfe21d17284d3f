#!/usr/bin/env bash
# Holds every #include "folder/file.h" under src/ to the layer table in
# docs/ARCHITECTURE.md: a file may include its own folder and what its row's
# "may use" column names, directly or through those folders' own rows.
# Prints each include that crosses a layer and exits 1 when there is one.
#   scripts/check-layers.sh [ROOT]
set -euo pipefail
root="${1:-$(cd "$(dirname "$0")/.." && pwd)}"
table="$root/docs/ARCHITECTURE.md"

awk -v root="$root" '
    # Rows of the layer table: | `src/x` | library | owns | may use |
    FNR == NR {
        if ($0 !~ /^\| `src\//) next
        n = split($0, cell, "|")
        folder = cell[2]; gsub(/[ `]/, "", folder); sub(/^src\//, "", folder)
        folders[folder] = 1
        uses = cell[n - 1]
        while (match(uses, /`src\/[a-z_\/]+`/)) {
            used = substr(uses, RSTART + 5, RLENGTH - 6)
            direct[folder, used] = 1
            uses = substr(uses, RSTART + RLENGTH)
        }
        next
    }
    function allowed(from, to,    f) {
        if (from == to || direct[from, to]) return 1
        if ((from, to) in memo) return memo[from, to]
        memo[from, to] = 0
        for (f in folders)
            if (direct[from, f] && allowed(f, to)) { memo[from, to] = 1; break }
        return memo[from, to]
    }
    # The longest folder of the table that starts `path`.
    function owner(path,    f, best) {
        best = ""
        for (f in folders)
            if (index(path, f "/") == 1 && length(f) > length(best)) best = f
        return best
    }
    /^[ \t]*#[ \t]*include[ \t]*"/ {
        file = FILENAME; sub("^" root "/src/", "", file)
        from = owner(file)
        header = $0; sub(/^[^"]*"/, "", header); sub(/".*/, "", header)
        if (header !~ /\//) next
        to = owner(header)
        if (from == "") { printf "%s: folder not in the layer table\n", FILENAME; bad = 1; next }
        if (to == "") { printf "%s:%d: %s is in no folder of the layer table\n", file, FNR, header; bad = 1; next }
        if (!allowed(from, to)) {
            printf "src/%s:%d: includes %s, but %s may not use %s\n", file, FNR, header, from, to
            bad = 1
        }
    }
    END { exit bad }
' "$table" $(find "$root/src" -name '*.h' -o -name '*.cpp' | sort)

#!/usr/bin/env bash
# Fails when the build or the tests use a file from a Debian package that the
# install script neither names nor pulls in through Depends. A machine that
# got a package by hand builds fine and hides the gap; a new machine does not.
#   scripts/check-deps.sh              configure and build build/, then check it
#   scripts/check-deps.sh --no-build DIR   check an existing build folder only
# It collects: the CMake package files and libraries the configuration found,
# the pkg-config files, every system header in the compiler's dependency
# records, the shared libraries the built programs load, the programs the
# scripts and tests run, and the GStreamer plugins of their pipelines.
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

build_dir=build
if [ "${1:-}" = "--no-build" ]; then
    build_dir=${2:?"usage: scripts/check-deps.sh [--no-build DIR]"}
else
    scripts/install-deps.sh
    cmake -S . -B "$build_dir" -G Ninja >/dev/null
    cmake --build "$build_dir"
fi
build_dir=$(cd "$build_dir" && pwd)
cache=$build_dir/CMakeCache.txt
[ -f "$cache" ] || { echo "check-deps: no CMakeCache.txt in $build_dir" >&2; exit 2; }

# Programs the scripts, the CMake files and the tests run, beyond the
# compilers and tools the configuration names in its cache.
programs=(
    bash cmake ctest cpack ninja pkg-config
    xvfb-run Xvfb xauth
    gst-launch-1.0 gst-inspect-1.0
    dpkg-deb dpkg-shlibdeps file gzip timeout
    clang clang++ llvm-symbolizer
    node npm emcc chromium chromedriver
)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
used=$work/used            # lines "file<TAB>what used it"

outside_tree() {
    grep -v -e "^$source_dir/" -e "^$build_dir/" -e '^/tmp/' -e '^/proc/' -e '^/dev/'
}

# The configuration: every file path in the cache, the package files in the
# *_DIR folders, and the .pc file of every pkg-config module.
# CMake also records binary tools its compiler probe finds (a linker, strip,
# objdump) that a build through the compiler driver never runs: left out.
grep -vE '^CMAKE_(LINKER|ADDR2LINE|OBJCOPY|OBJDUMP|READELF|STRIP|NM|DLLTOOL|TAPI):' "$cache" |
    sed -n 's/^[A-Za-z0-9_.+-]*:FILEPATH=\(\/.*\)$/\1/p' | outside_tree |
    while read -r path; do [ -f "$path" ] && printf '%s\tCMakeCache.txt\n' "$path"; done >>"$used"
sed -n 's/^[A-Za-z0-9_.+-]*_DIR:PATH=\(\/.*\)$/\1/p' "$cache" | outside_tree |
    while read -r dir; do
        find "$dir" -maxdepth 1 \( -name '*Config.cmake' -o -name '*-config.cmake' \) \
            -printf '%p\tfind_package\n' 2>/dev/null || true
    done >>"$used"
sed -n 's/^[A-Za-z0-9_.+-]*_MODULE_NAME:INTERNAL=\(.\+\)$/\1/p' "$cache" | sort -u |
    while read -r module; do
        pc=$(pkg-config --path "$module" 2>/dev/null) && printf '%s\tpkg-config %s\n' "$pc" "$module"
    done >>"$used"

# Headers from the compiler's dependency records.
ninja -C "$build_dir" -t deps 2>/dev/null | sed -n 's/^ \+\(\/.*\)$/\1/p' | sort -u | outside_tree |
    sed 's/$/\theader/' >>"$used"

# Shared libraries of every program built.
find "$build_dir" -type f -perm -u+x ! -name '*.so*' ! -path '*/CMakeFiles/*' -print0 |
    while IFS= read -r -d '' program; do
        [ "$(head -c 4 "$program" | od -An -c | tr -d ' ')" = '177ELF' ] || continue
        ldd "$program" 2>/dev/null | sed -n "s|.*=> \(/[^ ]*\) .*|\1\t$(basename "$program")|p"
    done | sort -u >>"$used"

for program in "${programs[@]}"; do
    if path=$(command -v "$program"); then
        printf '%s\tprogram %s\n' "$path" "$program" >>"$used"
    else
        echo "check-deps: the program '$program' is missing: a test or script runs it" >&2
        echo "missing" >"$work/failed"
    fi
done

# GStreamer elements named in the sources, tests and scripts, by their plugin
# file (libgstPLUGIN.so in the plugin folder, else where gst-inspect says).
plugin_dir=$(pkg-config --variable=pluginsdir gstreamer-1.0 2>/dev/null || echo /nonexistent)
gst-inspect-1.0 2>/dev/null | awk -F': *' 'NF >= 3 { print $2 "\t" $1 }' | sort -u >"$work/elements"
git -C "$source_dir" ls-files src tests bench scripts | (cd "$source_dir" && xargs grep -ohE '\b[a-z][a-z0-9]+\b') |
    sort -u | join -t $'\t' "$work/elements" - |
    while IFS=$'\t' read -r element plugin; do
        file=$plugin_dir/libgst$plugin.so
        [ -f "$file" ] || file=$(gst-inspect-1.0 "$element" 2>/dev/null | sed -n 's/^ *Filename *\(\/.*\)$/\1/p')
        [ -n "$file" ] && printf '%s\tGStreamer element %s\n' "$file" "$element"
    done >>"$used"

# Owner of every file: the path as written, else the file it links to. Debian
# lists some files under /lib and /bin, which this merged-/usr system reaches
# through /usr.
sort -u "$used" -o "$used"
cut -f1 "$used" | xargs -d '\n' realpath -m >"$work/targets"
paste <(cut -f1 "$used") "$work/targets" <(cut -f2 "$used") >"$work/paths"
awk -F'\t' '
    FNR == NR { want[$1] = 1; want[$2] = 1; next }
    {
        path = $0
        if (path ~ /^\/(lib|lib64|bin|sbin)\//) path = "/usr" path
        if (path in want) {
            package = FILENAME
            sub(/^.*\//, "", package); sub(/\.list$/, "", package); sub(/:.*$/, "", package)
            known = (path in owners)
            owners[path] = known ? owners[path] " " package : package
        }
    }
    END { for (path in owners) print path "\t" owners[path] }
' "$work/paths" /var/lib/dpkg/info/*.list >"$work/owners"

# What the install script brings: its packages and their Depends closure,
# plus what every Debian system has (Essential and required packages).
mapfile -t listed < <(sed -n '/^PACKAGES=(/,/^)/p' scripts/install-deps.sh | sed '1d;$d;s/#.*//' | tr -s ' \t' '\n' | sed '/^$/d')
# The script brings npm too, when no npm is on the PATH.
listed+=(npm)
if ! apt-cache show cmake >/dev/null 2>&1; then
    echo "check-deps: the package lists are empty; run apt-get update first" >&2
    exit 2
fi
apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
    --no-replaces --no-enhances "${listed[@]}" 2>/dev/null | grep -v '^ ' | sed 's/:.*$//' >"$work/brought"
dpkg-query -W -f='${Package} ${Essential} ${Priority}\n' | awk '$2 == "yes" || $3 == "required" { print $1 }' >>"$work/brought"
sort -u "$work/brought" -o "$work/brought"

# A file is fine when a package that owns it, or the file it links to, is
# brought; a file no package owns cannot come from the install script at all.
awk -F'\t' '
    FILENAME == ARGV[1] { brought[$1] = 1; next }
    FILENAME == ARGV[2] { owners[$1] = $2; next }
    {
        path = $1; target = $2; what = $3
        list = (path in owners) ? owners[path] : ""
        if (target != path && (target in owners)) list = list (list == "" ? "" : " ") owners[target]
        if (list == "") { print "check-deps: " path " (" what ") belongs to no Debian package"; bad = 1; next }
        n = split(list, candidates, " "); ok = 0
        for (i = 1; i <= n; i++) if (candidates[i] in brought) ok = 1
        if (!ok) {
            key = candidates[1]
            if (!(key in said)) print "check-deps: " path " (" what ") is in " list ", which scripts/install-deps.sh does not install"
            said[key] = 1; bad = 1
        }
    }
    END { exit bad }
' "$work/brought" "$work/owners" "$work/paths" >&2 || echo "bad" >"$work/failed"

count=$(wc -l <"$work/paths")
if [ -f "$work/failed" ]; then
    echo "check-deps: FAILED: add the packages named above to scripts/install-deps.sh" >&2
    exit 1
fi
echo "check-deps: all $count files the build and the tests use come from packages the install script brings"

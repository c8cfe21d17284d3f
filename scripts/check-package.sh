#!/usr/bin/env bash
# Checks a built Zelmora package: the files it installs (the programs, the
# menu entry, the icon, the man pages and nothing else), its Depends field,
# and that the programs run from a scratch root it is unpacked into.
#   scripts/check-package.sh build/zelmora_1.0-1_amd64.deb
set -euo pipefail

if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    echo "usage: scripts/check-package.sh PACKAGE.deb" >&2
    exit 2
fi
deb=$1
fail() {
    echo "check-package: $*" >&2
    exit 1
}

expected_files() {
    echo ./usr/bin/zelmora
    echo ./usr/bin/zelmora-cli
    echo ./usr/share/applications/zelmora.desktop
    for side in 16 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${side}x${side}/apps/zelmora.png"
    done
    echo ./usr/share/man/man1/zelmora-cli.1.gz
    echo ./usr/share/man/man1/zelmora.1.gz
    for file in app.js index.html style.css tracker-worker.js zelmora-tracker.js zelmora-tracker.wasm \
        lib/LICENSE lib/three.module.min.js lib/addons/loaders/GLTFLoader.js \
        lib/addons/utils/BufferGeometryUtils.js; do
        echo "./usr/share/zelmora/web/$file"
    done
}
files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
if ! difference=$(diff <(expected_files | sort) <(echo "$files")); then
    fail "the package's files differ from the expected ones (< missing, > extra):
$difference"
fi

# Package names only: version constraints and alternatives' bars dropped.
depends=$(dpkg-deb --field "$deb" Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | sort -u)
# Linked (found by dpkg-shlibdeps) and loaded at run time (named by hand).
for needed in libqt6widgets6 libqt6opengl6 libgstreamer1.0-0 lib3ds-1-3 libdevil1c2 \
    libegl1 gstreamer1.0-plugins-base gstreamer1.0-plugins-good libglx-mesa0 libegl-mesa0 \
    libgl1-mesa-dri; do
    grep -qx "$needed" <<<"$depends" || fail "Depends lacks $needed"
done
if unwanted=$(grep -E -- '-dev$|gtest|gmock|benchmark|xvfb' <<<"$depends"); then
    fail "Depends names build or test packages: $unwanted"
fi

root=$(mktemp -d -t zelmora-package-XXXXXX)
trap 'rm -rf "$root"' EXIT
dpkg --extract "$deb" "$root"
version=$(dpkg-deb --field "$deb" Version)
for program in zelmora zelmora-cli; do
    answer=$("$root/usr/bin/$program" --version) || fail "$program --version failed"
    [ "$answer" = "$program ${version%-*}" ] || fail "$program --version says '$answer'"
done
# The installed program publishes with the installed web runtime.
"$root/usr/bin/zelmora-cli" project new "$root/vacio.zel" || fail "project new failed"
"$root/usr/bin/zelmora-cli" publish "$root/vacio.zel" "$root/sitio" >/dev/null || fail "publish failed"
cmp -s "$root/sitio/zelmora-tracker.wasm" "$root/usr/share/zelmora/web/zelmora-tracker.wasm" ||
    fail "publish did not take the installed web runtime"
echo "check-package: $(basename "$deb"): files, Depends, --version and publishing from a scratch root are right"

#!/usr/bin/env bash
# Installs the Debian packages that the build, the tests and the application
# need. Idempotent: installs only what is missing, and refreshes the package
# lists once, only when something is missing.
set -euo pipefail

PACKAGES=(
    cmake g++ ninja-build pkg-config
    qt6-base-dev libqt6opengl6-dev
    libgl-dev libglu1-mesa-dev libegl-dev libgl1-mesa-dri
    lib3ds-dev libassimp-dev
    libdevil-dev libpng-dev zlib1g-dev
    libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
    xvfb xauth libxcb1-dev # the crash test drives the real program through X
    libcli11-dev nlohmann-json3-dev
    libgtest-dev libbenchmark-dev
    dpkg-dev file
    libopencv-dev
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n # English through Qt Linguist; Qt's own Spanish button texts
    clang libclang-rt-14-dev llvm
    mate-backgrounds # real photographs without markers, for the detection tests and benchmarks
    emscripten node-acorn nodejs # the tracking library built to WebAssembly for published sites
    chromium chromium-driver # published sites tried in a real browser
)

missing=()
for package in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

# three.js comes from the npm registry at build time. A Node.js from outside
# Debian brings its own npm, which Debian's package would conflict with.
if ! command -v npm >/dev/null; then
    missing+=(npm)
fi

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"

#!/usr/bin/env bash
# Runs the README's two commands on a new, minimal Debian 12, as a newcomer
# would: a debootstrap tree with only git, ca-certificates and sudo, a user
# with sudo, a clone of this repository's HEAD, then scripts/run.sh (without
# a display, so it tracks the demo headless) and scripts/test.sh.
# Takes about half an hour and a few GB; not part of CI.
#   sudo scripts/fresh-check.sh [FOLDER]   the tree goes in FOLDER (default: a new
#                                          folder under /var/tmp), kept for a look
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-check: debootstrap and chroot need root: run it with sudo" >&2
    exit 2
fi
if ! command -v debootstrap >/dev/null; then
    apt-get update -q && DEBIAN_FRONTEND=noninteractive apt-get install -y -q debootstrap
fi

root=${1:-$(mktemp -d /var/tmp/zelmora-fresh-XXXXXX)}
mkdir -p "$root"
root=$(cd "$root" && pwd)
log_dir=$root.logs
mkdir -p "$log_dir"
mirror=http://deb.debian.org/debian

mounted=()
cleanup() {
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[$i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
mount_into() { # SOURCE TARGET [OPTIONS...]
    local target=$root$2
    mkdir -p "$target"
    mount "${@:3}" "$1" "$target"
    mounted+=("$target")
}

elapsed() { # LABEL COMMAND...: runs it, logs it, prints its time
    local label=$1 start status
    shift
    start=$(date +%s)
    set +e
    "$@" >"$log_dir/$label.log" 2>&1
    status=$?
    set -e
    printf '%-12s %s after %d s (log: %s)\n' "$label" \
        "$([ $status -eq 0 ] && echo passed || echo "FAILED ($status)")" \
        $(($(date +%s) - start)) "$log_dir/$label.log"
    return $status
}

if [ ! -x "$root/usr/bin/apt-get" ]; then
    elapsed debootstrap debootstrap --variant=minbase --include=git,ca-certificates,sudo \
        bookworm "$root" "$mirror"
fi
# The same archives a normal installation lists: the release, its updates and security.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb http://deb.debian.org/debian-security bookworm-security main
EOF
cp /etc/resolv.conf "$root/etc/resolv.conf"
# debootstrap writes no hosts file; Debian's installer writes this one, and
# chromedriver reaches the browser it starts at "localhost".
if [ ! -f "$root/etc/hosts" ]; then
    printf '127.0.0.1\tlocalhost\n::1\t\tlocalhost ip6-localhost ip6-loopback\n' >"$root/etc/hosts"
fi

mount_into proc /proc -t proc
mount_into sysfs /sys -t sysfs
mount_into /dev /dev --bind
mount_into devpts /dev/pts -t devpts
mount_into tmpfs /dev/shm -t tmpfs

# A newcomer: an ordinary user who may use sudo, with a clone of HEAD.
if ! chroot "$root" id nuevo >/dev/null 2>&1; then
    chroot "$root" useradd --create-home --shell /bin/bash nuevo
    echo 'nuevo ALL=(ALL) NOPASSWD:ALL' >"$root/etc/sudoers.d/nuevo"
fi
rm -rf "$root/home/nuevo/zelmora"
git clone -q --no-hardlinks "$source_dir" "$root/home/nuevo/zelmora"
chroot "$root" chown -R nuevo:nuevo /home/nuevo/zelmora

# Where this host's network passes TLS through certificate authorities of
# its own (in /usr/local/share/ca-certificates), the tree trusts them as the
# host does; npm cannot reach its registry otherwise. Node reads them from
# NODE_EXTRA_CA_CERTS.
session_env=""
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
    mkdir -p "$root/usr/local/share/ca-certificates"
    cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
    chroot "$root" update-ca-certificates >/dev/null
    session_env="export NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt; "
fi

as_newcomer() { chroot "$root" su - nuevo -c "${session_env}cd zelmora && $1"; }
status=0
# run.sh first, so its time is a newcomer's first start: install and build included.
elapsed run.sh as_newcomer scripts/run.sh || status=1
elapsed test.sh as_newcomer scripts/test.sh || status=1
tail -n 5 "$log_dir/run.sh.log" "$log_dir/test.sh.log"
exit $status

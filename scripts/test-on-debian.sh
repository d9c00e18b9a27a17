#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Proves the tree on a fresh Debian release, as a new administrator would meet
# it: in a new chroot holding nothing but apt, runs ./test.sh, builds the
# Debian package, checks it with that release's lintian, installs it without
# recommends, plays the installed game as an account in no group and runs
# the package's autopkgtest (debian/tests) on it.
#
#   scripts/test-on-debian.sh SUITE        (trixie, bookworm, ...)
#
# Needs root and mmdebstrap (installed when missing). The base system and the
# packages apt downloads are kept in TROVAPUNTI_CHROOT_CACHE (default
# /var/cache/trovapunti-chroot) for the next run; the chroot itself is thrown
# away. Everything runs in private mount and process namespaces, so nothing
# mounted or started outlives the script.
set -euo pipefail

suite=${1:?usage: test-on-debian.sh SUITE}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cache=${TROVAPUNTI_CHROOT_CACHE:-/var/cache/trovapunti-chroot}

if [[ $(id -u) -ne 0 ]]; then
    exec sudo --preserve-env=TROVAPUNTI_CHROOT_CACHE "$0" "$@"
fi
if ! command -v mmdebstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap
fi

started=$SECONDS
step() { echo "=== ${suite}: $1 ($((SECONDS - started)) s) ==="; }

# A base system a week old at most: apt in it upgrades the rest.
mkdir -p "$cache/$suite-archives/partial"
base=$cache/$suite.tar
if [[ ! -s $base || -n $(find "$base" -mtime +7) ]]; then
    step "making the base system"
    mmdebstrap --variant=apt --include=ca-certificates,sudo "$suite" "$cache/$suite.new.tar"
    mv -f "$cache/$suite.new.tar" "$base"
fi

work=$(mktemp -d /var/tmp/trovapunti-"$suite".XXXXXX)
trap 'rm -rf --one-file-system "$work"' EXIT
root=$work/root
mkdir "$root"
tar -C "$root" -xf "$base"

# The checkout as it is, uncommitted changes included, without its builds,
# readable by every account the tests run as.
mkdir -p "$root/srv/trovapunti"
(
    cd "$source_dir"
    { printf '.git\0' && git ls-files -z --cached --others --exclude-standard; } |
        while IFS= read -r -d '' file; do
            if [[ -e $file || -L $file ]]; then printf '%s\0' "$file"; fi
        done | tar --null -T - -cf -
) | tar -C "$root/srv/trovapunti" -xf -
# The checkout belongs to another account than the chroot's root.
git config --file "$root/etc/gitconfig" safe.directory '*'
chmod -R a+rX "$root/srv"

cat >"$root/srv/run-tests.sh" <<'EOF'
#!/bin/bash
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8
cd /srv/trovapunti
echo "=== ./test.sh ==="
./test.sh
echo "=== the Debian package ==="
dpkg-buildpackage -us -uc -b
lintian --fail-on error,warning ../trovapunti_*.changes
echo "=== installed without recommends ==="
apt-get install -y -q --no-install-recommends ../trovapunti_*_"$(dpkg --print-architecture)".deb
python3 tests/e2e/play_installed_game.py installed-game /usr/games/trovapunti /srv/installed-game
echo "=== autopkgtest ==="
apt-get install -y -q --no-install-recommends autopkgtest
# The tests need debian/ alone, not the builds beside it.
mkdir /srv/autopkgtest-source
cp -a debian /srv/autopkgtest-source/
autopkgtest ../trovapunti_*_"$(dpkg --print-architecture)".deb /srv/autopkgtest-source/ -- null
EOF
chmod 755 "$root/srv/run-tests.sh"

step "testing in the chroot"
# The chroot's root must be a mount point (the tests make mount namespaces
# of their own), /dev/shm a tmpfs (faketime) and /run and /tmp its own.
unshare --mount --pid --fork --propagation private -- bash -euo pipefail -c '
    root=$1 archives=$2
    mount --bind "$root" "$root"
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"
    mount --rbind /dev "$root/dev"
    mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
    mount -t tmpfs -o mode=755 tmpfs "$root/run"
    mount -t tmpfs -o mode=1777 tmpfs "$root/tmp"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    chroot "$root" apt-get update -q
    chroot "$root" /srv/run-tests.sh
' unshare "$root" "$cache/$suite-archives"
step "passed"

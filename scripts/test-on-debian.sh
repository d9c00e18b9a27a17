#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Proves the tree on a fresh Debian release, as a new administrator would meet
# it: in a new chroot holding nothing but apt, runs ./test.sh (which builds
# the Debian package and checks it with that release's lintian), installs
# the package without recommends, plays the installed game as an account in
# no group, runs the package's autopkgtest (debian/tests) on it and proves
# it with scripts/check-package.sh (a second build, piuparts).
#
#   scripts/test-on-debian.sh SUITE           (trixie, bookworm, ...)
#   scripts/test-on-debian.sh SUITE OUT_DIR   only autopkgtest, on the package
#                                             a SUITE machine built in OUT_DIR
#
# Needs root and mmdebstrap (installed when missing). The base system and the
# packages apt downloads are kept in TROVAPUNTI_CHROOT_CACHE (default
# /var/cache/trovapunti-chroot) for the next run; the chroot itself is thrown
# away. Everything runs in private mount and process namespaces, so nothing
# mounted or started outlives the script.
set -euo pipefail

suite=${1:?usage: test-on-debian.sh SUITE [OUT_DIR]}
out_dir=${2:+$(realpath "$2")}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
cache=${TROVAPUNTI_CHROOT_CACHE:-/var/cache/trovapunti-chroot}

if [[ $(id -u) -ne 0 ]]; then
    exec sudo --preserve-env=TROVAPUNTI_CHROOT_CACHE "$0" "$@"
fi
started=$SECONDS
step() { echo "=== ${suite}: $1 ($((SECONDS - started)) s) ==="; }

base=$("$source_dir/scripts/debian-base.sh" "$suite")

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

# For piuparts: a fresh system of the release, as the chroot began.
cp "$base" "$root/srv/base.tar"
if [[ -n $out_dir ]]; then
    mkdir "$root/srv/out"
    cp "$out_dir"/*.deb "$root/srv/out/"
fi

cat >"$root/srv/run-tests.sh" <<'EOF'
#!/bin/bash
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8
cd /srv/trovapunti
out=/srv/out
if [[ ! -d $out ]]; then
    echo "=== ./test.sh ==="
    ./test.sh
    out=/srv/trovapunti/build/package/out
    echo "=== installed without recommends ==="
    apt-get install -y -q --no-install-recommends "$out"/trovapunti_*_*.deb
    python3 tests/e2e/play_installed_game.py installed-game /usr/games/trovapunti /srv/installed-game
fi
echo "=== autopkgtest ==="
apt-get install -y -q --no-install-recommends autopkgtest
# The tests need debian/ alone, not the builds beside it.
mkdir /srv/autopkgtest-source
cp -a debian /srv/autopkgtest-source/
autopkgtest "$out"/trovapunti_*_*.deb /srv/autopkgtest-source/ -- null
if [[ $out != /srv/out ]]; then
    scripts/check-package.sh "$out" /srv/base.tar
fi
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

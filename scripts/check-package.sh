#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Proves the Debian package that tests/package/build-package.sh left in
# OUT_DIR with Debian's own tools, on a machine of the release it was built
# for (root, with the test tools of scripts/install-deps.sh test):
#
#  - the same sources built again, in another directory, a year later, with
#    another umask, time zone and host name, give the same bytes (diffoscope
#    shows any difference);
#  - piuparts, in a fresh system unpacked from BASE_TARBALL (made with
#    mmdebstrap for this release): the package installs, removes and purges
#    cleanly, and upgrades cleanly from release 1.0, whose record directory
#    was open to every account. Its scripts (tests/package/piuparts) check
#    that a pupil's record and results line survive the upgrade and the
#    removal and go with the purge.
#
#   scripts/check-package.sh OUT_DIR BASE_TARBALL
set -euo pipefail

out_dir=$(realpath "${1:?usage: check-package.sh OUT_DIR BASE_TARBALL}")
base_tarball=$(realpath "${2:?usage: check-package.sh OUT_DIR BASE_TARBALL}")
source_dir=$(cd "$(dirname "$0")/.." && pwd)
# Release 1.0, the last one before the record directory was closed.
previous_release=6e2747297dbb29f97de5f8c17c27159487450211

if [[ $(id -u) -ne 0 ]]; then
    exec sudo "$0" "$@"
fi
suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
started=$SECONDS
step() { echo "=== package on ${suite}: $1 ($((SECONDS - started)) s) ==="; }

work=$(mktemp -d /var/tmp/trovapunti-package.XXXXXX)
trap 'rm -rf --one-file-system "$work"' EXIT

# Prints the tail of LOG and fails, when the command after it fails.
logged() {
    local log=$1
    shift
    if ! "$@" >"$log" 2>&1; then
        tail -n 80 "$log" >&2
        echo "failed: $*" >&2
        return 1
    fi
}

step "building again elsewhere"
rebuilt=$work/some/other/place
logged "$work/rebuild.log" unshare --uts -- env TZ=Pacific/Chatham \
    bash -c 'hostname trovapunti-rebuild && umask 0027 &&
             exec faketime -f +398d "$@"' rebuild \
    "$source_dir/tests/package/build-package.sh" "$source_dir" "$rebuilt"
for deb in "$out_dir"/*.deb; do
    again=$rebuilt/out/$(basename "$deb")
    if ! cmp -s "$deb" "$again"; then
        diffoscope --text - "$deb" "$again" | head -n 200 || true
        echo "$(basename "$deb") differs when built again" >&2
        exit 1
    fi
    echo "$(basename "$deb"): the same bytes"
done

step "building release 1.0"
previous=$work/previous
mkdir -p "$work/previous-source/trovapunti" "$previous"
git -C "$source_dir" archive "$previous_release" | tar -C "$work/previous-source/trovapunti" -xf -
logged "$work/previous.log" env -C "$work/previous-source/trovapunti" \
    DEB_BUILD_OPTIONS="nocheck parallel=$(nproc)" dpkg-buildpackage -us -uc -b
mv "$work"/previous-source/*.deb "$previous/"
(cd "$previous" && dpkg-scanpackages --multiversion . >Packages 2>/dev/null)

step "piuparts"
# The fresh system knows release 1.0 as apt would from an archive, so that
# piuparts installs it first and then upgrades it to the package built here.
mkdir "$work/base"
tar -C "$work/base" -xf "$base_tarball"
echo "deb [trusted=yes] file://$previous ./" >"$work/base/etc/apt/sources.list.d/previous.list"
logged "$work/piuparts.log" piuparts --existing-chroot="$work/base" \
    --distribution="$suite" --keep-sources-list --bindmount="$previous" \
    --scriptsdir="$source_dir/tests/package/piuparts" \
    "$out_dir"/trovapunti_*_*.deb
# What the package's own scripts found, and piuparts' verdicts.
grep -E '^  record |(PASS|FAIL):' "$work/piuparts.log"
step "passed"

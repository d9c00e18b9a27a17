#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Prints the path of a base system of Debian SUITE (a tarball holding nothing
# but apt), made with mmdebstrap when missing or a week old; apt in it
# upgrades the rest. Kept in TROVAPUNTI_CHROOT_CACHE (default
# /var/cache/trovapunti-chroot), with SUITE-archives beside it for the
# packages the chroots download. Needs root.
#
#   scripts/debian-base.sh SUITE
set -euo pipefail

suite=${1:?usage: debian-base.sh SUITE}
cache=${TROVAPUNTI_CHROOT_CACHE:-/var/cache/trovapunti-chroot}

if ! command -v mmdebstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends mmdebstrap >&2
fi
mkdir -p "$cache/$suite-archives/partial"
base=$cache/$suite.tar
if [[ ! -s $base || -n $(find "$base" -mtime +7) ]]; then
    echo "=== ${suite}: making the base system ===" >&2
    mmdebstrap --variant=apt --include=ca-certificates,sudo "$suite" "$cache/$suite.new.tar" >&2
    mv -f "$cache/$suite.new.tar" "$base"
fi
echo "$base"

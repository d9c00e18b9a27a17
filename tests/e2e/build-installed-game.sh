#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the game with its record directory inside WORK_DIR (so a test run
# never touches the machine's record) and installs it as a package would,
# under WORK_DIR/root/usr.
#
# Usage: build-installed-game.sh SOURCE_DIR WORK_DIR
set -euo pipefail

source_dir=${1:?usage: build-installed-game.sh SOURCE_DIR WORK_DIR}
work_dir=$(realpath -m "${2:?usage: build-installed-game.sh SOURCE_DIR WORK_DIR}")

# No optimisation and no debug information: the quickest build to compile.
nice -n 10 cmake -S "$source_dir" -B "$work_dir/build" -G Ninja \
    -DCMAKE_BUILD_TYPE= -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr \
    -DTROVAPUNTI_RECORD_DIR="$work_dir/records" \
    -DTROVAPUNTI_RECORD_KEEPER="$work_dir/root/usr/libexec/trovapunti/trovapunti-record" >/dev/null
nice -n 10 cmake --build "$work_dir/build" -j "$(nproc)"
rm -rf "$work_dir/root"
DESTDIR="$work_dir/root" cmake --install "$work_dir/build" >/dev/null
test -x "$work_dir/root/usr/games/trovapunti"

# A readable record pair, so that no box about the record interrupts a game.
# The keeper uses the record directory only when it is shut to other
# accounts, as the package sets it up.
mkdir -p "$work_dir/records" "$work_dir/wayland-session"
chmod 0770 "$work_dir/records"
printf '0\r\n' >"$work_dir/records/crt.txt"
printf 'Nessuno\r\n' >"$work_dir/records/ncrt.txt"

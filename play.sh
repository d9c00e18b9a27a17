#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the game, prepares the machine's record
# directory and starts the game as the calling user.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

cmake --preset default >/dev/null
cmake --build --preset default --target trovapunti -j "$(nproc)"

record_dir=$(sed -n 's/^TROVAPUNTI_RECORD_DIR:PATH=//p' build/CMakeCache.txt)
scripts/prepare-record-dir.sh "$record_dir"

game=build/src/trovapunti
user=$(id -un)
# The groups of this very process, not the group database: a user just added
# to games does not have the group until the next login.
if [[ $(id -u) -eq 0 ]] || id -nG | tr ' ' '\n' | grep -qx games; then
    exec "$game"
fi
# The group was just granted (or the login predates it): run the game with
# the group at once, so the record can be saved before logging in again.
if getent group games | cut -d: -f4 | tr ',' '\n' | grep -qx "$user"; then
    exec sg games -c "$(printf '%q' "$PWD/$game")"
fi
exec "$game"

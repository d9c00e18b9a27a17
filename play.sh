#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds the game and its record keeper, prepares
# the machine's record directory and starts the game as the calling user.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh play

# The tests are test.sh's: the game alone needs none of their tools.
cmake --preset default -DBUILD_TESTING=OFF >/dev/null
cmake --build --preset default --target trovapunti trovapunti-record -j "$(nproc)"

# The game run from the build tree saves through the keeper built beside it,
# which becomes root:games 2755 here; the player needs no group at all.
record_dir=$(sed -n 's/^TROVAPUNTI_RECORD_DIR:PATH=//p' build/CMakeCache.txt)
scripts/prepare-record-dir.sh "$record_dir" build/src/records/keeper/trovapunti-record

exec build/src/game/trovapunti

#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a source file includes a file of a higher layer. The folders of
# src/ are layers: window at the bottom; questions and clock above it; records
# apart; game on top, free to include every other folder.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A allowed=(
    [window]="window"
    [questions]="questions window"
    [clock]="clock window"
    [records]="records"
    [game]="game questions clock records window"
)

status=0
for folder in "${!allowed[@]}"; do
    while IFS=: read -r file line include; do
        target=$(sed -E 's/.*#include "([^/"]+)\/.*/\1/' <<<"$include")
        if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
            echo "$folder/${file#"$folder"/}:$line includes $target/, a layer it may not use"
            status=1
        fi
    done < <(grep -rnE '^#include "[^/"]+/' "$folder" || true)
done
if ((status == 0)); then
    echo "Layers: every include points down."
fi
exit $status

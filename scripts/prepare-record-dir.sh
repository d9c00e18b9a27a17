#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Prepares the record directory shared by every player of the machine:
# owner root, group games, mode 2775 (new files inherit the group), record
# files 0664; adds the calling user to the group games.
set -euo pipefail

record_dir=${1:?usage: prepare-record-dir.sh DIRECTORY}

as_root=()
if [[ $(id -u) -ne 0 ]]; then
    as_root=(sudo)
fi

if ! getent group games >/dev/null; then
    "${as_root[@]}" groupadd --system games
fi

if [[ ! -d "$record_dir" ]]; then
    echo "Creating the record directory $record_dir"
    "${as_root[@]}" install -d -o root -g games -m 2775 "$record_dir"
fi

# Repair what an older install or a hand copy may have left: a file that is
# not a regular file is left alone for a person to look at.
for name in crt.txt ncrt.txt; do
    file="$record_dir/$name"
    if [[ -f "$file" && ! -L "$file" ]]; then
        if [[ $(stat -c '%G %a' "$file") != "games 664" ]]; then
            "${as_root[@]}" chgrp games "$file"
            "${as_root[@]}" chmod 0664 "$file"
        fi
    fi
done

user=$(id -un)
if [[ $(id -u) -ne 0 ]] && ! getent group games | cut -d: -f4 | tr ',' '\n' | grep -qx "$user"; then
    "${as_root[@]}" usermod -a -G games "$user"
    echo "The user $user has been added to the group games, so that the record can be saved."
    echo "Other sessions of $user get the group at the next login."
fi

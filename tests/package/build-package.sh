#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Builds the Debian package from a clean copy of the sources, the way a
# packager does from a fresh clone, and leaves the .deb in WORK_DIR/out for
# the tests that inspect it.
#
# Usage: build-package.sh SOURCE_DIR WORK_DIR
set -euo pipefail

source_dir=$(realpath "${1:?usage: build-package.sh SOURCE_DIR WORK_DIR}")
work_dir=${2:?usage: build-package.sh SOURCE_DIR WORK_DIR}

rm -rf "$work_dir"
mkdir -p "$work_dir/tree/trovapunti" "$work_dir/out"
work_dir=$(realpath "$work_dir")
tree="$work_dir/tree/trovapunti"

# The files a clone would hold, committed or not yet, without any build tree.
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    # Files deleted but not yet committed are listed too: only existing ones count.
    (cd "$source_dir" &&
        git ls-files -z --cached --others --exclude-standard |
        while IFS= read -r -d '' file; do
            if [[ -e "$file" || -L "$file" ]]; then printf '%s\0' "$file"; fi
        done | xargs -0 --no-run-if-empty cp --parents -P -t "$tree" --)
else
    tar -C "$source_dir" --exclude='./build*' --exclude='./.git' -cf - . | tar -C "$tree" -xf -
fi
if [[ ! -f "$tree/debian/control" ]]; then
    echo "no debian/ in the copied sources" >&2
    exit 1
fi

cd "$tree"
export DEB_BUILD_OPTIONS="parallel=$(nproc) ${DEB_BUILD_OPTIONS:-}"
if ! nice -n 10 dpkg-buildpackage -us -uc -b >"$work_dir/build.log" 2>&1; then
    tail -n 60 "$work_dir/build.log" >&2
    exit 1
fi
mv "$work_dir"/tree/*.deb "$work_dir"/tree/*.changes "$work_dir"/tree/*.buildinfo "$work_dir/out/"
mv "$work_dir"/tree/*.ddeb "$work_dir/out/" 2>/dev/null || true
rm -rf "$work_dir/tree"
ls "$work_dir/out"

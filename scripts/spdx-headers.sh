#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Trovapunti developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Puts the copyright and licence lines at the top of every tracked file that
# lacks them, then checks the whole tree with `reuse lint`. Files whose
# format has no room for a comment carry them in a FILE.license beside them.
# Run it after adding files; it leaves files that already carry the lines alone.
set -euo pipefail
cd "$(dirname "$0")/.."

copyright="Trovapunti developers"
licence="GPL-3.0-or-later"

# Tracked files that exist, minus the licence texts and the files that a
# FILE.license beside them covers.
files=()
while IFS= read -r -d '' file; do
    [[ -f "$file" && ! -L "$file" ]] || continue
    case "$file" in
    LICENSE | LICENSES/* | *.license) continue ;;
    esac
    if [[ -e $file.license ]]; then
        continue
    fi
    files+=("$file")
done < <(git ls-files -z)

annotate=(reuse annotate --copyright "$copyright" --license "$licence" --skip-existing)
# Formats reuse knows get their own comment style...
"${annotate[@]}" --skip-unrecognised "${files[@]}" >/dev/null
# ...and the rest (shell scripts without an extension, .gitignore, sanitizer
# suppressions, .clang-format) take '#' comments. Listed so a person can check.
for file in "${files[@]}"; do
    if ! grep -q "SPDX-License-Identifier" "$file"; then
        echo "annotating with # comments: $file"
        "${annotate[@]}" --style python "$file" >/dev/null
    fi
done

reuse lint

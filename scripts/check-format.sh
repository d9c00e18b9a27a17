#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Fails when a C++ file of the project differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
# Every C++ file lives in these folders; no git needed, as in an unpacked source.
find src tests bench \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
echo "Format: every C++ file is formatted."

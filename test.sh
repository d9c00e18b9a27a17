#!/usr/bin/env bash

# SPDX-FileCopyrightText: 2026 Trovapunti developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, checks the layering and the format, builds the
# normal and the sanitizer build, and runs the whole test suite in both.
# Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh test
scripts/check-layers.sh
scripts/check-format.sh

jobs=$(nproc)
for preset in default asan; do
    echo "=== ${preset} build ==="
    cmake --preset "$preset" -DBUILD_TESTING=ON >/dev/null
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// An integer point of the Cartesian plane shown on the board, both
// coordinates from -5 to 5.
struct LatticePoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const LatticePoint&, const LatticePoint&) = default;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The largest coordinate on the board, either way and on either axis.
inline constexpr int kLatticeMax = 5;

// An integer point of the Cartesian plane shown on the board, both
// coordinates from -kLatticeMax to kLatticeMax.
struct LatticePoint {
    int x = 0;
    int y = 0;

    friend bool operator==(const LatticePoint&, const LatticePoint&) = default;
};

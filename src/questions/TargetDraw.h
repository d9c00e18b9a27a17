// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "questions/RandomSource.h"
#include "window/LatticePoint.h"

#include <optional>
#include <string>

// The target of one question: the point to light and the two coordinates as
// the answer check expects them typed. With no point both texts are empty and
// the window falls back to the origin.
struct TargetDraw {
    std::optional<LatticePoint> point;
    std::string abscissaText;
    std::string ordinateText;
};

// Every question's ordinate has this magnitude; only its sign is drawn.
inline constexpr int kTargetOrdinateMagnitude = 4;

// Draws the ordinate's sign, then the abscissa's magnitude, then its sign:
// three draws, in that order. Re-seeding is left to the caller.
TargetDraw drawTarget(RandomSource& random);

// The target for already drawn values. Sign flags are 0 (negative) or 1,
// magnitudes 0 to 5; anything else would leave the board and throws
// std::invalid_argument.
TargetDraw targetFor(int ordinateSignFlag, int abscissaMagnitude, int abscissaSignFlag,
                     int ordinateMagnitude = kTargetOrdinateMagnitude);

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/LatticePoint.h"

#include <optional>

// A uniform generator that can be re-seeded from the clock. The game draws
// its targets through this interface so that tests can script the draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Starts a fresh sequence seeded from the current time.
    virtual void reseedFromClock() = 0;

    // One uniform draw in [0, 1); never 1.
    virtual double next() = 0;
};

// The target of one question: the point to light, whose coordinates are the
// answer, or none for a negative zero below the axis. Draws the ordinate's
// magnitude, then its sign, then the abscissa's magnitude, then its sign:
// four draws, in that order. The magnitude 0 is drawn half as often as the
// others, so that each of the eleven rows from -5 to 5 is asked equally
// often. Re-seeding is left to the caller.
std::optional<LatticePoint> drawTarget(RandomSource& random);

// The target for already drawn values: sign flags 0 (negative) or 1,
// magnitudes 0 to 5.
std::optional<LatticePoint> targetFor(int ordinateSignFlag, int abscissaMagnitude,
                                      int abscissaSignFlag, int ordinateMagnitude);

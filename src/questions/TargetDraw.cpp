// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/TargetDraw.h"

#include <cmath>

namespace {

// floor(count * r): 0 to count - 1.
int drawBelow(RandomSource& random, int count) {
    return static_cast<int>(std::floor(count * random.next()));
}

} // namespace

std::optional<LatticePoint> drawTarget(RandomSource& random) {
    // Eleven equal slices, one per row: 0 takes one slice, every other
    // magnitude two, which its sign then splits between the rows m and -m.
    const int ordinateMagnitude = (drawBelow(random, 2 * kLatticeMax + 1) + 1) / 2;
    const int ordinateSignFlag = drawBelow(random, 2);
    const int abscissaMagnitude = drawBelow(random, 5);
    const int abscissaSignFlag = drawBelow(random, 2);
    return targetFor(ordinateSignFlag, abscissaMagnitude, abscissaSignFlag, ordinateMagnitude);
}

std::optional<LatticePoint> targetFor(int ordinateSignFlag, int abscissaMagnitude,
                                      int abscissaSignFlag, int ordinateMagnitude) {
    const int ordinate = ordinateSignFlag == 1 ? ordinateMagnitude : -ordinateMagnitude;
    if (abscissaSignFlag == 1 || abscissaMagnitude > 0) {
        return LatticePoint{abscissaSignFlag == 1 ? abscissaMagnitude : -abscissaMagnitude,
                            ordinate};
    }
    // A negative zero has no point of its own: rows at or above the axis take
    // their leftmost point, the others get no point at all.
    if (ordinate >= 0) {
        return LatticePoint{-kLatticeMax, ordinate};
    }
    return std::nullopt;
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/TargetDraw.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

constexpr int kBoardLimit = 5;

// floor(count * r), kept within 0 .. count-1 even if a source misbehaves and
// returns a value outside [0, 1), so a draw never points off the board.
int drawBelow(RandomSource& random, int count) {
    const double scaled = std::floor(static_cast<double>(count) * random.next());
    if (!(scaled >= 0.0)) {
        return 0;
    }
    return static_cast<int>(std::min(scaled, static_cast<double>(count - 1)));
}

void requireFlag(int flag, const char* what) {
    if (flag != 0 && flag != 1) {
        throw std::invalid_argument(std::string(what) + " must be 0 or 1, got " +
                                    std::to_string(flag));
    }
}

void requireMagnitude(int magnitude, const char* what) {
    if (magnitude < 0 || magnitude > kBoardLimit) {
        throw std::invalid_argument(std::string(what) + " must be 0 to 5, got " +
                                    std::to_string(magnitude));
    }
}

TargetDraw at(int x, int y) {
    return TargetDraw{LatticePoint{x, y}, std::to_string(x), std::to_string(y)};
}

} // namespace

TargetDraw drawTarget(RandomSource& random) {
    const int ordinateSignFlag = drawBelow(random, 2);
    const int abscissaMagnitude = drawBelow(random, 5);
    const int abscissaSignFlag = drawBelow(random, 2);
    return targetFor(ordinateSignFlag, abscissaMagnitude, abscissaSignFlag);
}

TargetDraw targetFor(int ordinateSignFlag, int abscissaMagnitude, int abscissaSignFlag,
                     int ordinateMagnitude) {
    requireFlag(ordinateSignFlag, "ordinate sign flag");
    requireFlag(abscissaSignFlag, "abscissa sign flag");
    requireMagnitude(abscissaMagnitude, "abscissa magnitude");
    requireMagnitude(ordinateMagnitude, "ordinate magnitude");

    const int ordinate = ordinateSignFlag == 1 ? ordinateMagnitude : -ordinateMagnitude;
    if (abscissaSignFlag == 1) {
        return at(abscissaMagnitude, ordinate);
    }
    if (abscissaMagnitude > 0) {
        return at(-abscissaMagnitude, ordinate);
    }
    // A negative zero has no point of its own: rows at or above the axis take
    // their leftmost point, the others get no point at all.
    if (ordinate >= 0) {
        return at(-kBoardLimit, ordinate);
    }
    return TargetDraw{};
}

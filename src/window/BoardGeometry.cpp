// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/BoardGeometry.h"

#include <cstdlib>
#include <stdexcept>

MarkerId markerFor(LatticePoint point) {
    if (std::abs(point.x) > kLatticeMax || std::abs(point.y) > kLatticeMax) {
        throw std::out_of_range("lattice point outside the board");
    }
    // In each half of the plane the rows above the x axis come first, then
    // the axis, then the rows below it.
    const int row = point.y > 0 ? point.y : 6 - point.y;
    return {(point.x >= 0 ? 0 : 11) + row, std::abs(point.x)};
}

QRect discRect(LatticePoint point) {
    QRect disc(0, 0, kDiscDiameter, kDiscDiameter);
    disc.moveCenter(latticePixel(point));
    return disc;
}

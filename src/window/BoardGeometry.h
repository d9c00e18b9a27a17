// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPoint>
#include <QRect>

#include "window/LatticePoint.h"

// Where things lie on the board: the grid picture's lines and its lattice
// points. The 121 point markers live in 22 groups numbered 1 to 22, one per
// half-row of the grid: groups 1 to 11 hold the points with abscissa >= 0,
// groups 12 to 22 those with abscissa < 0. Inside a group a marker's index
// is the abscissa's magnitude.

inline constexpr int kMarkerGroupCount = 22;

struct MarkerId {
    int group = 0;
    int index = 0;

    friend bool operator==(const MarkerId&, const MarkerId&) = default;
};

// Throws std::out_of_range for a point outside -5..5 on either axis.
MarkerId markerFor(LatticePoint point);

// The grid picture is a square of this many pixels.
inline constexpr int kPictureSize = 705;

// Grid line k (0..10) lies 66.8 pixels after line k - 1, rounded to the
// nearest pixel; integer arithmetic keeps the positions exact.
constexpr int gridColumn(int k) {
    return 15 + (668 * k + 5) / 10;
}

constexpr int gridRow(int k) {
    return 22 + (668 * k + 5) / 10;
}

// The crossing pixel of the lattice point in the grid picture: abscissa -5
// is line 0 from the left, ordinate 5 is line 0 from the top.
constexpr QPoint latticePixel(LatticePoint point) {
    return {gridColumn(point.x + 5), gridRow(5 - point.y)};
}

inline constexpr int kDiscDiameter = 25;

// The square holding the marker disc of the point, centred on its crossing
// pixel, in the picture's pixels.
QRect discRect(LatticePoint point);

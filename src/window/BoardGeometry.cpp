// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/BoardGeometry.h"

#include <array>
#include <cstddef>
#include <stdexcept>

namespace {

constexpr std::array<MarkerGroupLayout, kMarkerGroupCount> kLayouts{{
    {1, 0, 5, 1},   {2, 0, 5, 1},   {3, 0, 5, 1},   {4, 0, 5, 1},   {5, 0, 5, 1},  {0, 0, 5, 1},
    {-1, 0, 5, 1},  {-2, 0, 5, 1},  {-3, 0, 5, 1},  {-4, 0, 5, 1},  {-5, 0, 5, 1}, {1, 1, 5, -1},
    {2, 1, 5, -1},  {3, 1, 5, -1},  {4, 1, 5, -1},  {5, 1, 5, -1},  {0, 1, 5, -1}, {-1, 1, 5, -1},
    {-2, 1, 5, -1}, {-3, 1, 5, -1}, {-4, 1, 5, -1}, {-5, 1, 5, -1},
}};

bool onBoard(LatticePoint point) {
    return point.x >= kLatticeMin && point.x <= kLatticeMax && point.y >= kLatticeMin &&
           point.y <= kLatticeMax;
}

// The group of a row: rows above the x axis first, then the axis, then the
// rows below it, in each half of the plane.
int groupFor(LatticePoint point) {
    const int base = point.x >= 0 ? 0 : 11;
    if (point.y > 0) {
        return base + point.y;
    }
    if (point.y == 0) {
        return base + 6;
    }
    return base + 6 - point.y;
}

} // namespace

const MarkerGroupLayout& markerGroupLayout(int group) {
    if (group < 1 || group > kMarkerGroupCount) {
        throw std::out_of_range("no such marker group");
    }
    return kLayouts[static_cast<std::size_t>(group - 1)];
}

MarkerId markerFor(LatticePoint point) {
    if (!onBoard(point)) {
        throw std::out_of_range("lattice point outside the board");
    }
    return {groupFor(point), point.x >= 0 ? point.x : -point.x};
}

LatticePoint pointOf(MarkerId id) {
    const MarkerGroupLayout& layout = markerGroupLayout(id.group);
    if (id.index < layout.firstIndex || id.index > layout.lastIndex) {
        throw std::out_of_range("no such marker in the group");
    }
    return {layout.abscissaSign * id.index, layout.ordinate};
}

QRect discRect(LatticePoint point) {
    if (!onBoard(point)) {
        throw std::out_of_range("lattice point outside the board");
    }
    const GridPixel centre = latticePixel(point);
    constexpr int kRadius = kDiscDiameter / 2;
    return {centre.column - kRadius, centre.row - kRadius, kDiscDiameter, kDiscDiameter};
}

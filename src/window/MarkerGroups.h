// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>

#include "window/LatticePoint.h"

// The 121 point markers live in 22 groups numbered 1 to 22, one per half-row
// of the grid: groups 1 to 11 hold the points with abscissa >= 0, groups 12
// to 22 those with abscissa < 0. Inside a group a marker's index is the
// abscissa's magnitude.

inline constexpr int kMarkerGroupCount = 22;
inline constexpr int kMarkerCount = 121;
inline constexpr int kLatticeMin = -5;
inline constexpr int kLatticeMax = 5;

struct MarkerId {
    int group = 0;
    int index = 0;

    friend bool operator==(const MarkerId&, const MarkerId&) = default;
};

// Where a group's markers lie: all on one ordinate, the marker with index i
// at abscissa abscissaSign * i.
struct MarkerGroupLayout {
    int ordinate = 0;
    int firstIndex = 0;
    int lastIndex = 0;
    int abscissaSign = 1;
};

// Throws std::out_of_range for a group number outside 1..22.
const MarkerGroupLayout& markerGroupLayout(int group);

// Throws std::out_of_range for a point outside -5..5 on either axis.
MarkerId markerFor(LatticePoint point);

// Throws std::out_of_range for a group or index that names no marker.
LatticePoint pointOf(MarkerId id);

// Every marker once, in the order the board clears them: indices 0..5 of
// groups 1..11, then indices 1..5 of groups 12..17, then of groups 18..22,
// each pass walking all its groups for one index before the next index.
std::array<MarkerId, kMarkerCount> resetOrder();

// A square of pixels in the grid picture's coordinates.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

inline constexpr int kDiscDiameter = 25;

// The square holding the marker disc of the point, centred on its crossing
// pixel. Throws std::out_of_range like markerFor.
PixelRect discRect(LatticePoint point);

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include "window/LatticePoint.h"

enum class GridInk : std::uint8_t { White, Grey, Black };

// A pixel of the grid picture: column from the left, row from the top.
struct GridPixel {
    int column = 0;
    int row = 0;

    friend bool operator==(const GridPixel&, const GridPixel&) = default;
};

// Grid line k (0..10) lies 66.8 pixels after line k - 1, rounded to the
// nearest pixel; integer arithmetic keeps the positions exact.
constexpr int gridColumn(int k) {
    return 15 + (668 * k + 5) / 10;
}

constexpr int gridRow(int k) {
    return 22 + (668 * k + 5) / 10;
}

// The crossing pixel of the lattice point: abscissa -5 is line 0 from the
// left, ordinate 5 is line 0 from the top.
constexpr GridPixel latticePixel(LatticePoint point) {
    return {gridColumn(point.x + 5), gridRow(5 - point.y)};
}

// The board's background: the Cartesian plane from -5 to 5 in three inks,
// pixel-exact and free of anti-aliasing.
class GridPicture {
public:
    static constexpr int kSize = 705;

    static GridPicture draw();

    // Throws std::out_of_range outside the picture.
    GridInk at(int column, int row) const;

private:
    GridPicture();

    void set(int column, int row, GridInk ink);
    void fillRect(int firstColumn, int lastColumn, int firstRow, int lastRow, GridInk ink);
    void drawGrid();
    void drawAxes();
    void drawLabels();

    std::vector<GridInk> pixels_;
};

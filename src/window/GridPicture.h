// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include "window/LatticePoint.h"

struct GridGlyph;

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
// free of anti-aliasing. It is designed in pixels of a 705 x 705 canvas and
// drawn for a screen with `ratio` device pixels per design pixel: ratio 1 is
// the design itself, pixel for pixel; at any other ratio every line, tick and
// glyph stroke keeps the width of one design pixel rounded to whole device
// pixels, centred on its scaled place, and slanted glyph strokes are drawn at
// device resolution rather than as enlarged stairs.
class GridPicture {
public:
    static constexpr int kSize = 705;
    static constexpr double kMinRatio = 0.25;
    static constexpr double kMaxRatio = 8.0;

    // Throws std::invalid_argument for a ratio outside kMinRatio..kMaxRatio.
    static GridPicture draw(double ratio = 1.0);

    double ratio() const { return ratio_; }
    // Device pixels per side: the design size times the ratio, rounded up.
    int size() const { return size_; }

    // A device pixel. Throws std::out_of_range outside the picture.
    GridInk at(int column, int row) const;

private:
    explicit GridPicture(double ratio);

    // Device pixels [first, last] whose centres lie on the design pixels
    // first..last, widened to whole strokes; empty when first > last.
    struct DeviceSpan {
        int first = 0;
        int last = -1;
    };
    DeviceSpan span(int firstDesign, int lastDesign) const;

    void set(int column, int row, GridInk ink);
    // Design pixel coordinates, inclusive.
    void fillRect(int firstColumn, int lastColumn, int firstRow, int lastRow, GridInk ink);
    // A stroke one design pixel wide between the centres of two design pixels.
    void slantedStroke(GridPixel from, GridPixel to);
    void stamp(const GridGlyph& glyph, int left, int top);
    void drawGrid();
    void drawAxes();
    void drawArrowheads();
    void drawLabels();

    double ratio_;
    int size_;
    int stroke_;
    std::vector<GridInk> pixels_;
};

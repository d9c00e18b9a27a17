// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GridPicture.h"

#include <cstddef>
#include <stdexcept>

#include "window/GridGlyphs.h"

namespace {

constexpr int kLines = 11;
constexpr int kAxisLine = 5;
constexpr int kAxisColumn = gridColumn(kAxisLine);
constexpr int kAxisRow = gridRow(kAxisLine);

constexpr int kGridFirstColumn = gridColumn(0);
constexpr int kGridLastColumn = gridColumn(kLines - 1) - 1;
constexpr int kGridFirstRow = gridRow(0);
constexpr int kGridLastRow = gridRow(kLines - 1) - 1;

constexpr int kXAxisFirstColumn = 5;
constexpr int kXAxisLastColumn = 700;
constexpr int kYAxisFirstRow = 5;
constexpr int kYAxisLastRow = 699;
constexpr int kArrowLength = 8;

constexpr int kTickHalfBefore = 1;
constexpr int kTickHalfAfter = 2;

// Labels under the x axis and left of the y axis.
constexpr int kXLabelTop = 362;
constexpr int kYLabelDigitLeft = 339;
constexpr int kYLabelRise = 3;
constexpr int kXLabelBlankFirstRow = 359;
constexpr int kXLabelBlankLastRow = 374;
constexpr int kYLabelBlankLastColumn = 344;
constexpr int kPositiveYLabelBlankFirstColumn = 338;
constexpr int kNegativeYLabelBlankFirstColumn = 334;

constexpr GridPixel kLetterXTopLeft{693, 343};
constexpr GridPixel kLetterYTopLeft{356, 6};

} // namespace

GridPicture::GridPicture()
    : pixels_(static_cast<std::size_t>(kSize) * static_cast<std::size_t>(kSize), GridInk::White) {}

GridPicture GridPicture::draw() {
    GridPicture picture;
    picture.drawGrid();
    picture.drawAxes();
    picture.drawLabels();
    return picture;
}

GridInk GridPicture::at(int column, int row) const {
    if (column < 0 || column >= kSize || row < 0 || row >= kSize) {
        throw std::out_of_range("pixel outside the grid picture");
    }
    return pixels_[static_cast<std::size_t>(row) * kSize + static_cast<std::size_t>(column)];
}

void GridPicture::set(int column, int row, GridInk ink) {
    pixels_[static_cast<std::size_t>(row) * kSize + static_cast<std::size_t>(column)] = ink;
}

void GridPicture::fillRect(int firstColumn, int lastColumn, int firstRow, int lastRow,
                           GridInk ink) {
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            set(column, row, ink);
        }
    }
}

void GridPicture::drawGrid() {
    // The lines stop one pixel short of the last grid coordinate, which
    // leaves the bottom-right crossing white.
    for (int k = 0; k < kLines; ++k) {
        if (k == kAxisLine) {
            continue;
        }
        fillRect(gridColumn(k), gridColumn(k), kGridFirstRow, kGridLastRow, GridInk::Grey);
        fillRect(kGridFirstColumn, kGridLastColumn, gridRow(k), gridRow(k), GridInk::Grey);
    }
    // Paper behind the labels, so that no grey runs through the digits.
    for (int k = 0; k < kLines; ++k) {
        if (k == kAxisLine) {
            continue;
        }
        fillRect(gridColumn(k), gridColumn(k), kXLabelBlankFirstRow, kXLabelBlankLastRow,
                 GridInk::White);
        const int ordinate = kAxisLine - k;
        const int blankFirst =
            ordinate > 0 ? kPositiveYLabelBlankFirstColumn : kNegativeYLabelBlankFirstColumn;
        fillRect(blankFirst, kYLabelBlankLastColumn, gridRow(k), gridRow(k), GridInk::White);
    }
}

void GridPicture::drawAxes() {
    fillRect(kXAxisFirstColumn, kXAxisLastColumn, kAxisRow, kAxisRow, GridInk::Black);
    fillRect(kAxisColumn, kAxisColumn, kYAxisFirstRow, kYAxisLastRow, GridInk::Black);

    // Arrowheads only at the positive ends, widening by one pixel on each
    // side every second step back from the tip.
    for (int i = 0; i < kArrowLength; ++i) {
        const int h = i / 2;
        fillRect(kAxisColumn - h, kAxisColumn + h, kYAxisFirstRow + i, kYAxisFirstRow + i,
                 GridInk::Black);
        fillRect(kXAxisLastColumn - i, kXAxisLastColumn - i, kAxisRow - h, kAxisRow + h,
                 GridInk::Black);
    }

    for (int k = 0; k < kLines; ++k) {
        if (k == kAxisLine) {
            continue;
        }
        fillRect(gridColumn(k), gridColumn(k), kAxisRow - kTickHalfBefore,
                 kAxisRow + kTickHalfAfter, GridInk::Black);
        fillRect(kAxisColumn - kTickHalfBefore, kAxisColumn + kTickHalfAfter, gridRow(k),
                 gridRow(k), GridInk::Black);
    }
}

void GridPicture::drawLabels() {
    const auto stamp = [this](const GridGlyph& glyph, int left, int top) {
        for (int row = 0; row < glyph.height; ++row) {
            for (int column = 0; column < glyph.width; ++column) {
                if (glyph.inkAt(column, row)) {
                    set(left + column, top + row, GridInk::Black);
                }
            }
        }
    };
    const auto minus = [this](int digitLeft, int digitTop) {
        const int row = digitTop + kMinusRowOffset;
        const int last = digitLeft - kMinusGap - 1;
        fillRect(last - kMinusWidth + 1, last, row, row, GridInk::Black);
    };

    for (int k = 0; k < kLines; ++k) {
        const int abscissa = k - kAxisLine;
        if (abscissa == 0) {
            continue;
        }
        // A positive label is centred on its line; a negative one keeps its
        // digit just right of the line and puts the minus sign before it.
        const int column = gridColumn(k);
        const int digitLeft = abscissa > 0 ? column - kDigitWidth / 2 : column;
        stamp(digitGlyph(abscissa > 0 ? abscissa : -abscissa), digitLeft, kXLabelTop);
        if (abscissa < 0) {
            minus(digitLeft, kXLabelTop);
        }
    }

    for (int k = 0; k < kLines; ++k) {
        const int ordinate = kAxisLine - k;
        if (ordinate == 0) {
            continue;
        }
        const int digitTop = gridRow(k) - kYLabelRise;
        stamp(digitGlyph(ordinate > 0 ? ordinate : -ordinate), kYLabelDigitLeft, digitTop);
        if (ordinate < 0) {
            minus(kYLabelDigitLeft, digitTop);
        }
    }

    stamp(letterXGlyph(), kLetterXTopLeft.column, kLetterXTopLeft.row);
    stamp(letterYGlyph(), kLetterYTopLeft.column, kLetterYTopLeft.row);
}

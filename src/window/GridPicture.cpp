// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GridPicture.h"

#include <algorithm>
#include <cmath>
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

// Absorbs the binary fraction errors of ratios such as 1.1.
constexpr double kRoundingSlack = 1e-9;

} // namespace

GridPicture::GridPicture(double ratio)
    : ratio_(ratio), size_(static_cast<int>(std::ceil(kSize * ratio - kRoundingSlack))),
      stroke_(std::max(1, static_cast<int>(std::lround(ratio)))),
      pixels_(static_cast<std::size_t>(size_) * static_cast<std::size_t>(size_), GridInk::White) {}

GridPicture GridPicture::draw(double ratio) {
    if (!(ratio >= kMinRatio && ratio <= kMaxRatio)) {
        throw std::invalid_argument("device pixel ratio outside the drawable range");
    }
    GridPicture picture(ratio);
    picture.drawGrid();
    picture.drawAxes();
    picture.drawLabels();
    return picture;
}

GridInk GridPicture::at(int column, int row) const {
    if (column < 0 || column >= size_ || row < 0 || row >= size_) {
        throw std::out_of_range("pixel outside the grid picture");
    }
    return pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(size_) +
                   static_cast<std::size_t>(column)];
}

void GridPicture::set(int column, int row, GridInk ink) {
    pixels_[static_cast<std::size_t>(row) * static_cast<std::size_t>(size_) +
            static_cast<std::size_t>(column)] = ink;
}

GridPicture::DeviceSpan GridPicture::span(int firstDesign, int lastDesign) const {
    // A device pixel belongs to the span when its centre lies within half a
    // stroke of the scaled centres of the design pixels. At a whole ratio
    // that is exactly the scaled design pixels.
    const double half = stroke_ / 2.0;
    const double low = (firstDesign + 0.5) * ratio_ - half;
    const double high = (lastDesign + 0.5) * ratio_ + half;
    DeviceSpan result;
    result.first = std::max(0, static_cast<int>(std::ceil(low - 0.5 - kRoundingSlack)));
    result.last = std::min(size_ - 1, static_cast<int>(std::floor(high - 0.5 + kRoundingSlack)));
    return result;
}

void GridPicture::fillRect(int firstColumn, int lastColumn, int firstRow, int lastRow,
                           GridInk ink) {
    const DeviceSpan columns = span(firstColumn, lastColumn);
    const DeviceSpan rows = span(firstRow, lastRow);
    for (int row = rows.first; row <= rows.last; ++row) {
        for (int column = columns.first; column <= columns.last; ++column) {
            set(column, row, ink);
        }
    }
}

void GridPicture::slantedStroke(GridPixel from, GridPixel to) {
    const double half = stroke_ / 2.0;
    const double ax = (from.column + 0.5) * ratio_;
    const double ay = (from.row + 0.5) * ratio_;
    const double dx = (to.column + 0.5) * ratio_ - ax;
    const double dy = (to.row + 0.5) * ratio_ - ay;
    const double lengthSquared = dx * dx + dy * dy;
    const DeviceSpan columns =
        span(std::min(from.column, to.column), std::max(from.column, to.column));
    const DeviceSpan rows = span(std::min(from.row, to.row), std::max(from.row, to.row));
    for (int row = rows.first; row <= rows.last; ++row) {
        for (int column = columns.first; column <= columns.last; ++column) {
            const double px = column + 0.5 - ax;
            const double py = row + 0.5 - ay;
            const double t = std::clamp((px * dx + py * dy) / lengthSquared, 0.0, 1.0);
            const double ex = px - t * dx;
            const double ey = py - t * dy;
            if (ex * ex + ey * ey <= half * half + kRoundingSlack) {
                set(column, row, GridInk::Black);
            }
        }
    }
}

void GridPicture::stamp(const GridGlyph& glyph, int left, int top) {
    const auto ink = [&glyph](int column, int row) {
        return column >= 0 && column < glyph.width && row >= 0 && row < glyph.height &&
               glyph.inkAt(column, row);
    };
    // Runs along rows and along columns: at ratios that are not whole the
    // scaled pixels of a run would otherwise leave gaps between them.
    for (int row = 0; row < glyph.height; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
            if (ink(column, row) && !ink(column - 1, row)) {
                int last = column;
                while (ink(last + 1, row)) {
                    ++last;
                }
                fillRect(left + column, left + last, top + row, top + row, GridInk::Black);
            }
            if (ink(column, row) && !ink(column, row - 1)) {
                int last = row;
                while (ink(column, last + 1)) {
                    ++last;
                }
                fillRect(left + column, left + column, top + row, top + last, GridInk::Black);
            }
        }
    }
    // A diagonal step not already joined through a corner pixel is a slanted
    // stroke: at ratio 1 it adds nothing, above it smooths the stair.
    for (int row = 0; row + 1 < glyph.height; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
            if (!ink(column, row)) {
                continue;
            }
            for (const int step : {-1, 1}) {
                if (ink(column + step, row + 1) && !ink(column + step, row) &&
                    !ink(column, row + 1)) {
                    slantedStroke({left + column, top + row},
                                  {left + column + step, top + row + 1});
                }
            }
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

    drawArrowheads();

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

void GridPicture::drawArrowheads() {
    // Only at the positive ends. Each is a triangle whose half width is half
    // the distance back from the tip, sampled at device pixel centres: at
    // ratio 1 a row (or column) i pixels behind the tip spans floor(i / 2)
    // pixels each side of the axis.
    const auto design = [this](int device) {
        return (device + 0.5) / ratio_;
    };
    const auto inside = [](double back, double across) {
        return back >= 0.0 && back < kArrowLength && std::abs(across) <= back / 2.0;
    };
    const double axisCentreColumn = kAxisColumn + 0.5;
    const double axisCentreRow = kAxisRow + 0.5;
    const int reach = kArrowLength / 2;

    const DeviceSpan upRows = span(kYAxisFirstRow, kYAxisFirstRow + kArrowLength - 1);
    const DeviceSpan upColumns = span(kAxisColumn - reach, kAxisColumn + reach);
    for (int row = upRows.first; row <= upRows.last; ++row) {
        for (int column = upColumns.first; column <= upColumns.last; ++column) {
            if (inside(design(row) - kYAxisFirstRow, design(column) - axisCentreColumn)) {
                set(column, row, GridInk::Black);
            }
        }
    }

    const DeviceSpan rightColumns = span(kXAxisLastColumn - kArrowLength + 1, kXAxisLastColumn);
    const DeviceSpan rightRows = span(kAxisRow - reach, kAxisRow + reach);
    for (int row = rightRows.first; row <= rightRows.last; ++row) {
        for (int column = rightColumns.first; column <= rightColumns.last; ++column) {
            if (inside(kXAxisLastColumn + 1 - design(column), design(row) - axisCentreRow)) {
                set(column, row, GridInk::Black);
            }
        }
    }
}

void GridPicture::drawLabels() {
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

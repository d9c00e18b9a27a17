// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Board.h"

#include "window/WindowFonts.h"

#include <QPaintEngine>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace {

constexpr int kAxisLine = 5;
constexpr int kAxisColumn = gridColumn(kAxisLine);
constexpr int kAxisRow = gridRow(kAxisLine);
const QColor kGrey(0xBD, 0xBD, 0xBD);

// Device pixels per painted pixel.
qreal deviceScale(QPainter& painter) {
    // The painted device, not the widget: a grab into an image of another
    // ratio gets the picture drawn for that image.
    return painter.paintEngine()->paintDevice()->devicePixelRatio() *
           painter.worldTransform().m11();
}

// Draws the text with the left, right or horizontal centre (anchor.x() and
// `align`) and the bottom (anchor.y()) of its ink on the given pixels.
void drawLabel(QPainter& painter, const QString& text, QPointF anchor, Qt::Alignment align) {
    const QRectF ink = QFontMetricsF(painter.font()).tightBoundingRect(text);
    qreal x = anchor.x() - ink.left();
    if (align & Qt::AlignRight) {
        x = anchor.x() + 1 - ink.right();
    } else if (align & Qt::AlignHCenter) {
        x = anchor.x() + 0.5 - ink.center().x();
    }
    painter.drawText(QPointF(std::round(x), anchor.y() + 1 - std::round(ink.bottom())), text);
}

// The labels' glyphs one to one, as a small screen face draws them: a font's
// rasteriser puts a digit of this size one pixel wider or shorter depending
// on its hinting, and the board's labels have their exact pixels.
struct Glyph {
    char letter;
    std::initializer_list<const char*> rows;
};

// clang-format off
const Glyph kGlyphs[] = {
    {'1', {
        "..#..",
        ".##..",
        "#.#..",
        "..#..",
        "..#..",
        "..#..",
        "..#..",
        "..#..",
        "..#..",
        "#####",
    }},
    {'2', {
        ".###.",
        "#...#",
        "....#",
        "....#",
        "...#.",
        "..#..",
        ".#...",
        "#....",
        "#....",
        "#####",
    }},
    {'3', {
        ".###.",
        "#...#",
        "....#",
        "....#",
        "..##.",
        "....#",
        "....#",
        "....#",
        "#...#",
        ".###.",
    }},
    {'4', {
        "...#.",
        "..##.",
        "..##.",
        ".#.#.",
        ".#.#.",
        "#..#.",
        "#####",
        "...#.",
        "...#.",
        "...#.",
    }},
    {'5', {
        "#####",
        "#....",
        "#....",
        "####.",
        "....#",
        "....#",
        "....#",
        "....#",
        "#...#",
        ".###.",
    }},
    {'x', {
        "#....#",
        ".#..#.",
        "..##..",
        "..##..",
        "..##..",
        ".#..#.",
        "#....#",
    }},
    {'y', {
        "#.....#",
        "#.....#",
        ".#...#.",
        ".#...#.",
        "..#.#..",
        "..#.#..",
        "...#...",
        "...#...",
        "..#....",
        "##.....",
    }},
};
// clang-format on

// Paints the glyph of the letter with its top-left ink pixel at (left, top),
// a run of ink at a time.
void drawGlyph(QPainter& painter, char letter, int left, int top) {
    for (const Glyph& glyph : kGlyphs) {
        if (glyph.letter != letter) {
            continue;
        }
        int y = top;
        for (const char* row : glyph.rows) {
            for (int x = 0; row[x] != '\0';) {
                int end = x;
                while (row[end] == '#') {
                    ++end;
                }
                if (end > x) {
                    painter.fillRect(left + x, y, end - x, 1, Qt::black);
                    x = end;
                } else {
                    ++x;
                }
            }
            ++y;
        }
    }
}

} // namespace

Board::Board(const MarkerGroupSet& markers, QWidget* parent) : QWidget(parent), markers_(markers) {
    setAutoFillBackground(true);
    setCursor(Qt::CrossCursor);
}

void Board::setFactor(double factor) {
    factor_ = factor;
    update();
}

void Board::updateDesignRect(const QRect& rect) {
    // A pixel of margin takes in the rounding at any factor.
    const QRectF scaled(rect.x() * factor_, rect.y() * factor_, rect.width() * factor_,
                        rect.height() * factor_);
    update(scaled.toAlignedRect().adjusted(-1, -1, 1, 1));
}

void Board::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.scale(factor_, factor_);
    paintGrid(painter);
    painter.setPen(Qt::NoPen);
    painter.setRenderHint(QPainter::Antialiasing, deviceScale(painter) != 1.0);
    for (const MarkerGroup* group : markers_) {
        for (const Marker& marker : group->markers()) {
            if (marker.backStyle() == Marker::kOpaque) {
                const std::uint32_t bgr = marker.backColor();
                painter.setBrush(QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF));
                // A hair wider than the square: Qt's aliased ellipse would
                // otherwise leave out the top row of pixels.
                painter.drawEllipse(QRectF(marker.disc()).adjusted(-0.2, -0.2, 0.2, 0.2));
            }
        }
    }
}

void paintGrid(QPainter& painter) {
    painter.save();
    const qreal scale = deviceScale(painter);
    // A line of one pixel stays one device pixel wide when drawn smaller.
    const qreal hair = std::max(1.0, 1.0 / scale);
    const auto fill = [&painter, hair](int x, int y, int width, int height, const QColor& colour) {
        painter.fillRect(QRectF(x, y, width == 1 ? hair : width, height == 1 ? hair : height),
                         colour);
    };
    fill(0, 0, kPictureSize, kPictureSize, Qt::white);
    // Grey unit lines, stopping one pixel short of the last grid line, with
    // paper left for the labels.
    const int gridEnd = gridColumn(10) - gridColumn(0);
    for (int k = 0; k <= 10; ++k) {
        if (k == kAxisLine) {
            continue;
        }
        fill(gridColumn(k), gridRow(0), 1, gridEnd, kGrey);
        fill(gridColumn(0), gridRow(k), gridEnd, 1, kGrey);
        fill(gridColumn(k), 359, 1, 16, Qt::white);
        const int blankLeft = k < kAxisLine ? 338 : 334;
        fill(blankLeft, gridRow(k), 345 - blankLeft, 1, Qt::white);
    }
    // Axes, arrowheads at the positive ends, ticks off the origin.
    fill(5, kAxisRow, 696, 1, Qt::black);
    fill(kAxisColumn, 5, 1, 695, Qt::black);
    for (int i = 0; i < 8; ++i) {
        const int h = i / 2;
        fill(kAxisColumn - h, 5 + i, 2 * h + 1, 1, Qt::black);
        fill(700 - i, kAxisRow - h, 1, 2 * h + 1, Qt::black);
    }
    for (int k = 0; k <= 10; ++k) {
        if (k != kAxisLine) {
            fill(gridColumn(k), kAxisRow - 1, 1, 4, Qt::black);
            fill(kAxisColumn - 1, gridRow(k), 4, 1, Qt::black);
        }
    }
    // Numbers under the x axis and left of the y axis, then the letters;
    // minus signs of four pixels one blank column before their digits.
    const bool oneToOne = scale == 1.0;
    painter.setFont(WindowFonts::font(QStringLiteral("MS Sans Serif"), 10));
    painter.setPen(Qt::black);
    for (int k = 0; k <= 10; ++k) {
        const int value = k - kAxisLine;
        if (value == 0) {
            continue;
        }
        const char digit = static_cast<char>('0' + std::abs(value));
        const int x = gridColumn(k);
        const int y = gridRow(10 - k);
        // The digit's ink: under the x axis centred on its line, or just
        // right of it after a minus; left of the y axis ending on column 343.
        const int below = value > 0 ? x - 2 : x;
        if (oneToOne) {
            drawGlyph(painter, digit, below, 362);
            drawGlyph(painter, digit, 339, y - 3);
        } else {
            const QString text(QLatin1Char{digit});
            drawLabel(painter, text, QPointF(x, 371), value > 0 ? Qt::AlignHCenter : Qt::AlignLeft);
            drawLabel(painter, text, QPointF(343, y + 6), Qt::AlignRight);
        }
        if (value < 0) {
            fill(x - 5, 367, 4, 1, Qt::black);
            fill(334, y + 2, 4, 1, Qt::black);
        }
    }
    if (oneToOne) {
        drawGlyph(painter, 'x', 693, 343);
        drawGlyph(painter, 'y', 356, 6);
    } else {
        drawLabel(painter, QStringLiteral("x"), QPointF(693, 349), Qt::AlignLeft);
        drawLabel(painter, QStringLiteral("y"), QPointF(356, 15), Qt::AlignLeft);
    }
    painter.restore();
}

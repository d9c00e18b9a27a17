// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "window/GridGlyphs.h"
#include "window/GridImage.h"
#include "window/GridPicture.h"

namespace {

constexpr std::array<int, 11> kColumns{15, 82, 149, 215, 282, 349, 416, 483, 549, 616, 683};
constexpr std::array<int, 11> kRows{22, 89, 156, 222, 289, 356, 423, 490, 556, 623, 690};

const GridPicture& picture() {
    static const GridPicture drawn = GridPicture::draw();
    return drawn;
}

GridInk ink(int column, int row) {
    return picture().at(column, row);
}

std::string where(int column, int row) {
    return (testing::Message() << "(" << column << ", " << row << ")").GetString();
}

struct Box {
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    friend bool operator==(const Box&, const Box&) = default;
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "[" << box.left << ".." << box.right << "] x [" << box.top << ".." << box.bottom
               << "]";
}

// The bounding box of the black pixels inside an inclusive search area.
Box blackBox(int firstColumn, int lastColumn, int firstRow, int lastRow) {
    Box box{GridPicture::kSize, GridPicture::kSize, -1, -1};
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (ink(column, row) == GridInk::Black) {
                box.left = std::min(box.left, column);
                box.right = std::max(box.right, column);
                box.top = std::min(box.top, row);
                box.bottom = std::max(box.bottom, row);
            }
        }
    }
    return box;
}

// Expects exactly the glyph's ink at the given origin and paper around it
// inside its box.
void expectGlyphAt(const GridGlyph& glyph, int left, int top) {
    for (int row = 0; row < glyph.height; ++row) {
        for (int column = 0; column < glyph.width; ++column) {
            const GridInk expected = glyph.inkAt(column, row) ? GridInk::Black : GridInk::White;
            EXPECT_EQ(ink(left + column, top + row), expected) << where(left + column, top + row);
        }
    }
}

} // namespace

TEST(GridPositions, LinesFallOnTheRoundedUnitSteps) {
    for (int k = 0; k < 11; ++k) {
        EXPECT_EQ(gridColumn(k), kColumns[k]) << "k = " << k;
        EXPECT_EQ(gridRow(k), kRows[k]) << "k = " << k;
    }
    EXPECT_EQ(latticePixel({0, 0}), (GridPixel{349, 356}));
    EXPECT_EQ(latticePixel({-5, 5}), (GridPixel{15, 22}));
    EXPECT_EQ(latticePixel({5, -5}), (GridPixel{683, 690}));
    EXPECT_EQ(latticePixel({-3, 4}), (GridPixel{149, 89}));
}

TEST(GridPicture, VerticalGridLinesAreOnePixelGreyWithLabelGaps) {
    for (int k = 0; k < 11; ++k) {
        if (k == 5) {
            continue;
        }
        const int x = kColumns[k];
        for (int row = 22; row <= 689; ++row) {
            // Ticks cross the axis on rows 355-358; the label gap is 359-374.
            GridInk expected = GridInk::Grey;
            if (row >= 355 && row <= 358) {
                expected = GridInk::Black;
            } else if (row >= 359 && row <= 374) {
                continue; // label area, checked with the labels
            }
            ASSERT_EQ(ink(x, row), expected) << where(x, row);
        }
        EXPECT_EQ(ink(x, 21), GridInk::White) << where(x, 21);
        EXPECT_EQ(ink(x - 1, 100), GridInk::White) << where(x - 1, 100);
        EXPECT_EQ(ink(x + 1, 100), GridInk::White) << where(x + 1, 100);
    }
}

TEST(GridPicture, HorizontalGridLinesAreOnePixelGreyWithLabelGaps) {
    for (int k = 0; k < 11; ++k) {
        if (k == 5) {
            continue;
        }
        const int y = kRows[k];
        const int blankFrom = k < 5 ? 338 : 334;
        for (int column = 15; column <= 682; ++column) {
            if (column >= blankFrom && column <= 344) {
                continue; // label area, checked with the labels
            }
            const GridInk expected =
                column >= 348 && column <= 351 ? GridInk::Black : GridInk::Grey;
            ASSERT_EQ(ink(column, y), expected) << where(column, y);
        }
        EXPECT_EQ(ink(14, y), GridInk::White) << where(14, y);
        EXPECT_EQ(ink(684, y), GridInk::White) << where(684, y);
        EXPECT_EQ(ink(100, y - 1), GridInk::White) << where(100, y - 1);
        EXPECT_EQ(ink(100, y + 1), GridInk::White) << where(100, y + 1);
    }
}

TEST(GridPicture, CornersAndCrossings) {
    struct Case {
        int column;
        int row;
        GridInk ink;
    };
    const Case cases[] = {
        {349, 356, GridInk::Black}, // the axes cross
        {683, 690, GridInk::White}, // the lines stop short of it
        {15, 22, GridInk::Grey},    {683, 22, GridInk::Grey},   {15, 690, GridInk::Grey},
        {0, 0, GridInk::White},     {704, 704, GridInk::White},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ink(c.column, c.row), c.ink) << where(c.column, c.row);
    }
}

TEST(GridPicture, GreySurvivesBesideTheYAxisLabelsAndTicks) {
    for (int k = 0; k < 11; ++k) {
        if (k == 5) {
            continue;
        }
        const int y = kRows[k];
        for (int column : {345, 346, 347, 352, 353, 360}) {
            EXPECT_EQ(ink(column, y), GridInk::Grey) << where(column, y);
        }
    }
}

TEST(GridPicture, LabelAreasArePaperExceptForTheirInk) {
    for (int k = 0; k < 11; ++k) {
        if (k == 5) {
            continue;
        }
        // The label of a vertical line never reaches its rows 359, 360, 361,
        // 372, 373 or 374: those stay blank on the line's column.
        const int x = kColumns[k];
        for (int row : {359, 360, 361, 372, 373, 374}) {
            EXPECT_EQ(ink(x, row), GridInk::White) << where(x, row);
        }
        // Nothing grey remains inside the horizontal label gaps.
        const int y = kRows[k];
        const int blankFrom = k < 5 ? 338 : 334;
        for (int column = blankFrom; column <= 344; ++column) {
            EXPECT_NE(ink(column, y), GridInk::Grey) << where(column, y);
        }
        for (int row = 359; row <= 374; ++row) {
            EXPECT_NE(ink(x, row), GridInk::Grey) << where(x, row);
        }
    }
    // The blank for a positive ordinate stops at 338: 337 keeps its grey.
    EXPECT_EQ(ink(337, kRows[0]), GridInk::Grey);
    EXPECT_EQ(ink(333, kRows[10]), GridInk::Grey);
}

TEST(GridPicture, AxesSpanTheirRangeWithArrowheadsOnlyAtPositiveEnds) {
    for (int column = 5; column <= 700; ++column) {
        ASSERT_EQ(ink(column, 356), GridInk::Black) << where(column, 356);
    }
    for (int row = 5; row <= 699; ++row) {
        ASSERT_EQ(ink(349, row), GridInk::Black) << where(349, row);
    }
    EXPECT_EQ(ink(4, 356), GridInk::White);
    EXPECT_EQ(ink(701, 356), GridInk::White);
    EXPECT_EQ(ink(349, 4), GridInk::White);
    EXPECT_EQ(ink(349, 700), GridInk::White);

    for (int i = 0; i < 8; ++i) {
        const int h = i / 2;
        EXPECT_EQ(blackBox(340, 354, 5 + i, 5 + i), (Box{349 - h, 5 + i, 349 + h, 5 + i}))
            << "y arrowhead row " << 5 + i;
        EXPECT_EQ(blackBox(700 - i, 700 - i, 350, 367), (Box{700 - i, 356 - h, 700 - i, 356 + h}))
            << "x arrowhead column " << 700 - i;
    }
    // Left and bottom ends are bare lines.
    EXPECT_EQ(blackBox(5, 12, 340, 361), (Box{5, 356, 12, 356}));
    EXPECT_EQ(blackBox(345, 358, 692, 699), (Box{349, 692, 349, 699}));
}

TEST(GridPicture, TicksAreFourPixelsAtEveryNonZeroPosition) {
    for (int k = 0; k < 11; ++k) {
        if (k == 5) {
            continue;
        }
        EXPECT_EQ(blackBox(kColumns[k], kColumns[k], 340, 358),
                  (Box{kColumns[k], 355, kColumns[k], 358}))
            << "x tick " << k;
        EXPECT_EQ(blackBox(345, 360, kRows[k], kRows[k]), (Box{348, kRows[k], 351, kRows[k]}))
            << "y tick " << k;
    }
}

TEST(GridPicture, OriginCarriesNoTickOrLabel) {
    // Only the two axis lines are black around the crossing and below it.
    for (int row = 350; row <= 376; ++row) {
        for (int column = 344; column <= 355; ++column) {
            const bool onAxis = row == 356 || column == 349;
            EXPECT_EQ(ink(column, row) == GridInk::Black, onAxis) << where(column, row);
        }
    }
}

TEST(GridPicture, XAxisLabelsSitInTheirBoxes) {
    for (int k = 0; k < 11; ++k) {
        const int u = k - 5;
        if (u == 0) {
            continue;
        }
        const int x = kColumns[k];
        SCOPED_TRACE(testing::Message() << "abscissa " << u);
        if (u > 0) {
            EXPECT_EQ(blackBox(x - 8, x + 8, 359, 374), (Box{x - 2, 362, x + 2, 371}));
            expectGlyphAt(digitGlyph(u), x - 2, 362);
        } else {
            EXPECT_EQ(blackBox(x, x + 8, 359, 374), (Box{x, 362, x + 4, 371}));
            EXPECT_EQ(blackBox(x - 8, x - 1, 359, 374), (Box{x - 5, 367, x - 2, 367}));
            for (int column = x - 5; column <= x - 2; ++column) {
                EXPECT_EQ(ink(column, 367), GridInk::Black) << where(column, 367);
            }
            expectGlyphAt(digitGlyph(-u), x, 362);
        }
    }
}

TEST(GridPicture, YAxisLabelsSitInTheirBoxes) {
    for (int k = 0; k < 11; ++k) {
        const int v = 5 - k;
        if (v == 0) {
            continue;
        }
        const int y = kRows[k];
        SCOPED_TRACE(testing::Message() << "ordinate " << v);
        EXPECT_EQ(blackBox(338, 347, y - 8, y + 10), (Box{339, y - 3, 343, y + 6}));
        expectGlyphAt(digitGlyph(v > 0 ? v : -v), 339, y - 3);
        const Box minus = blackBox(326, 337, y - 8, y + 10);
        if (v > 0) {
            EXPECT_EQ(minus, (Box{GridPicture::kSize, GridPicture::kSize, -1, -1}));
        } else {
            EXPECT_EQ(minus, (Box{334, y + 2, 337, y + 2}));
            for (int column = 334; column <= 337; ++column) {
                EXPECT_EQ(ink(column, y + 2), GridInk::Black) << where(column, y + 2);
            }
        }
    }
}

TEST(GridPicture, AxisLettersSitInTheirBoxes) {
    EXPECT_EQ(blackBox(685, 704, 330, 350), (Box{693, 343, 698, 349}));
    expectGlyphAt(letterXGlyph(), 693, 343);
    EXPECT_EQ(blackBox(353, 372, 0, 20), (Box{356, 6, 362, 15}));
    expectGlyphAt(letterYGlyph(), 356, 6);
}

TEST(GridPicture, PixelsOutsideThePictureAreRejected) {
    const std::pair<int, int> outside[] = {{-1, 0}, {0, -1}, {705, 0}, {0, 705}, {-1, -1}};
    for (auto [column, row] : outside) {
        EXPECT_THROW((void)picture().at(column, row), std::out_of_range) << where(column, row);
    }
}

TEST(GridGlyphs, DigitsAreDistinctAndOnlyOneToFiveExist) {
    std::set<std::string> shapes;
    for (int digit = 1; digit <= 5; ++digit) {
        std::string shape;
        for (std::string_view row : digitGlyph(digit).rows) {
            shape += row;
        }
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), 5u);
    EXPECT_THROW((void)digitGlyph(0), std::out_of_range);
    EXPECT_THROW((void)digitGlyph(6), std::out_of_range);
}

TEST(GridImage, HoldsExactlyTheThreeInkColours) {
    const QImage image = gridImage(picture());
    ASSERT_EQ(image.width(), 705);
    ASSERT_EQ(image.height(), 705);
    const QRgb white = 0xFFFFFFFF;
    const QRgb grey = 0xFFBDBDBD;
    const QRgb black = 0xFF000000;
    int counts[3] = {0, 0, 0};
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            const QRgb pixel = image.pixel(column, row);
            const GridInk expected = ink(column, row);
            const QRgb colour = expected == GridInk::White  ? white
                                : expected == GridInk::Grey ? grey
                                                            : black;
            ASSERT_EQ(pixel, colour) << where(column, row);
            ++counts[static_cast<int>(expected)];
        }
    }
    EXPECT_GT(counts[0], 0);
    EXPECT_GT(counts[1], 0);
    EXPECT_GT(counts[2], 0);
    EXPECT_EQ(image.pixel(349, 356), black);
    EXPECT_EQ(image.pixel(15, 22), grey);
    EXPECT_EQ(image.pixel(683, 690), white);
}

namespace {

const GridPicture& pictureAtTwo() {
    static const GridPicture drawn = GridPicture::draw(2.0);
    return drawn;
}

Box blackBoxAtTwo(int firstColumn, int lastColumn, int firstRow, int lastRow) {
    Box box{pictureAtTwo().size(), pictureAtTwo().size(), -1, -1};
    for (int row = firstRow; row <= lastRow; ++row) {
        for (int column = firstColumn; column <= lastColumn; ++column) {
            if (pictureAtTwo().at(column, row) == GridInk::Black) {
                box = {std::min(box.left, column), std::min(box.top, row),
                       std::max(box.right, column), std::max(box.bottom, row)};
            }
        }
    }
    return box;
}

// Every device pixel of the image is one of the three ink colours.
bool holdsOnlyTheInkColours(const QImage& image) {
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            const QRgb pixel = image.pixel(column, row);
            if (pixel != 0xFFFFFFFF && pixel != 0xFFBDBDBD && pixel != 0xFF000000) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

TEST(GridPictureAtRatio, TwoKeepsEveryLineOnItsScaledPixelsAndDrawsTheGlyphsSharp) {
    const GridPicture& two = pictureAtTwo();
    ASSERT_EQ(two.size(), 1410);
    // The grey lines are exactly the scaled design lines, two device pixels wide.
    for (int row = 0; row < two.size(); ++row) {
        for (int column = 0; column < two.size(); ++column) {
            ASSERT_EQ(two.at(column, row) == GridInk::Grey,
                      ink(column / 2, row / 2) == GridInk::Grey)
                << where(column, row);
        }
    }
    for (int column = 10; column <= 1401; ++column) {
        ASSERT_EQ(two.at(column, 712), GridInk::Black) << where(column, 712);
        ASSERT_EQ(two.at(column, 713), GridInk::Black) << where(column, 713);
    }
    EXPECT_EQ(blackBoxAtTwo(690, 720, 850, 978), (Box{698, 850, 699, 978})); // y axis between ticks

    // Each label's ink covers its 1x glyph scaled, fills exactly the scaled
    // box, and is more than the 1x bitmap blown up.
    struct Label {
        Box box; // 1x
        int digit;
    };
    std::vector<Label> labels;
    for (int k = 0; k < 11; ++k) {
        if (k != 5) {
            const int u = k - 5;
            const int left = u > 0 ? kColumns[k] - 2 : kColumns[k];
            labels.push_back({{left, 362, left + 4, 371}, u > 0 ? u : -u});
            labels.push_back({{339, kRows[k] - 3, 343, kRows[k] + 6}, 5 - k > 0 ? 5 - k : k - 5});
        }
    }
    for (const Label& label : labels) {
        SCOPED_TRACE(::testing::Message() << "digit " << label.digit << " at " << label.box);
        const Box scaled{2 * label.box.left, 2 * label.box.top, 2 * label.box.right + 1,
                         2 * label.box.bottom + 1};
        // Two blank device columns part a digit from its minus sign.
        EXPECT_EQ(
            blackBoxAtTwo(scaled.left - 2, scaled.right + 2, scaled.top - 2, scaled.bottom + 2),
            scaled);
        bool blownUp = true;
        for (int row = scaled.top; row <= scaled.bottom; ++row) {
            for (int column = scaled.left; column <= scaled.right; ++column) {
                const bool designInk = ink(column / 2, row / 2) == GridInk::Black;
                if (designInk) {
                    EXPECT_EQ(two.at(column, row), GridInk::Black) << where(column, row);
                }
                blownUp = blownUp && designInk == (two.at(column, row) == GridInk::Black);
            }
        }
        EXPECT_FALSE(blownUp);
    }
    EXPECT_EQ(blackBoxAtTwo(1370, 1409, 660, 700), (Box{1386, 686, 1397, 699})); // letter x

    const QImage image = gridImage(two);
    EXPECT_EQ(image.devicePixelRatio(), 2.0);
    EXPECT_TRUE(holdsOnlyTheInkColours(image));
}

TEST(GridPictureAtRatio, FractionalRatiosKeepThreeColoursAndEvenLines) {
    for (const double ratio : {1.25, 1.5}) {
        SCOPED_TRACE(ratio);
        const GridPicture drawn = GridPicture::draw(ratio);
        EXPECT_TRUE(holdsOnlyTheInkColours(gridImage(drawn)));
        // Every grey line is the same whole number of device pixels wide.
        const int width = ratio < 1.5 ? 1 : 2;
        const int row = static_cast<int>(100 * ratio);
        int run = 0;
        for (int column = 0; column < drawn.size(); ++column) {
            if (drawn.at(column, row) == GridInk::Grey) {
                ++run;
            } else if (run > 0) {
                EXPECT_EQ(run, width) << "line ending at device column " << column;
                run = 0;
            }
        }
    }
    EXPECT_THROW((void)GridPicture::draw(0.0), std::invalid_argument);
    EXPECT_THROW((void)GridPicture::draw(100.0), std::invalid_argument);
}

// The board paints the picture from rectangles: the same pixels as the image
// at whole and fractional ratios, also when only a part is repainted, in far
// fewer rectangles than pixels.
TEST(GridRects, PaintTheSamePixelsAsTheImage) {
    for (const double ratio : {1.0, 1.5, 2.0}) {
        SCOPED_TRACE(ratio);
        const GridPicture drawn = GridPicture::draw(ratio);
        const QImage expected = gridImage(drawn);
        const GridRects grid = gridRects(drawn);
        EXPECT_LT(grid.grey.size() + grid.black.size(), 1000u);

        QImage painted(drawn.size(), drawn.size(), QImage::Format_RGB32);
        painted.setDevicePixelRatio(ratio);
        painted.fill(Qt::red);
        {
            QPainter painter(&painted);
            paintGrid(painter, grid, QRect(0, 0, GridPicture::kSize, GridPicture::kSize));
        }
        EXPECT_EQ(painted, expected);

        // Around the origin's marker only: what is painted is the picture.
        painted.fill(Qt::red);
        const QRect exposed(337, 344, 25, 25);
        {
            QPainter painter(&painted);
            painter.setClipRect(exposed);
            paintGrid(painter, grid, exposed);
        }
        const QRect inside =
            QRectF(QPointF(exposed.topLeft()) * ratio, QSizeF(exposed.size()) * ratio)
                .toAlignedRect()
                .adjusted(1, 1, -1, -1);
        int repainted = 0;
        for (int row = 0; row < drawn.size(); ++row) {
            for (int column = 0; column < drawn.size(); ++column) {
                const QRgb pixel = painted.pixel(column, row);
                if (pixel != qRgb(255, 0, 0) || inside.contains(column, row)) {
                    ASSERT_EQ(pixel, expected.pixel(column, row)) << where(column, row);
                    ++repainted;
                }
            }
        }
        EXPECT_LT(repainted, 30 * 30 * ratio * ratio);
    }
}

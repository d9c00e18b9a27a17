// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Board.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <string>

namespace {

constexpr std::array<int, 11> kColumns{15, 82, 149, 215, 282, 349, 416, 483, 549, 616, 683};
constexpr std::array<int, 11> kRows{22, 89, 156, 222, 289, 356, 423, 490, 556, 623, 690};
// The indices of the ten grid lines off the axes.
constexpr std::array<int, 10> kOffAxis{0, 1, 2, 3, 4, 6, 7, 8, 9, 10};

enum class GridInk { White, Grey, Black, Other };

// The picture painted at a device pixel ratio, in device pixels.
QImage paintedGrid(qreal ratio) {
    const int side = static_cast<int>(std::ceil(kPictureSize * ratio));
    QImage image(side, side, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::red);
    QPainter painter(&image);
    paintGrid(painter);
    return image;
}

const QImage& picture() {
    static const QImage painted = paintedGrid(1.0);
    return painted;
}

GridInk inkOf(QRgb colour) {
    switch (colour & 0xFFFFFF) {
    case 0xFFFFFF:
        return GridInk::White;
    case 0xBDBDBD:
        return GridInk::Grey;
    case 0x000000:
        return GridInk::Black;
    default:
        return GridInk::Other;
    }
}

GridInk ink(int column, int row) {
    return inkOf(picture().pixel(column, row));
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
    bool contains(const Box& other) const {
        return other.left >= left && other.right <= right && other.top >= top &&
               other.bottom <= bottom;
    }
};

std::ostream& operator<<(std::ostream& out, const Box& box) {
    return out << "[" << box.left << ".." << box.right << "] x [" << box.top << ".." << box.bottom
               << "]";
}

// The bounding box of the black pixels inside an inclusive search area.
Box blackBox(int firstColumn, int lastColumn, int firstRow, int lastRow) {
    Box box{kPictureSize, kPictureSize, -1, -1};
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

// A label's ink stays inside its box, to the pixel, and fills most of it.
void expectLabelIn(const Box& box, const Box& found) {
    EXPECT_TRUE(box.contains(found)) << found << " outside " << box;
    EXPECT_GE(found.right - found.left, box.right - box.left - 2) << found << " in " << box;
    EXPECT_GE(found.bottom - found.top, box.bottom - box.top - 2) << found << " in " << box;
}

} // namespace

TEST(GridPositions, LinesFallOnTheRoundedUnitSteps) {
    for (int k = 0; k < 11; ++k) {
        EXPECT_EQ(gridColumn(k), kColumns[k]) << "k = " << k;
        EXPECT_EQ(gridRow(k), kRows[k]) << "k = " << k;
    }
    EXPECT_EQ(latticePixel({0, 0}), QPoint(349, 356));
    EXPECT_EQ(latticePixel({-5, 5}), QPoint(15, 22));
    EXPECT_EQ(latticePixel({5, -5}), QPoint(683, 690));
    EXPECT_EQ(latticePixel({-3, 4}), QPoint(149, 89));
}

TEST(GridPicture, VerticalGridLinesAreOnePixelGreyWithTicksAndLabelGaps) {
    for (int k : kOffAxis) {
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

TEST(GridPicture, HorizontalGridLinesAreOnePixelGreyWithTicksAndLabelGaps) {
    for (int k : kOffAxis) {
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

TEST(GridPicture, PaperBeyondTheLastLinesAndInTheCorners) {
    EXPECT_EQ(ink(683, 690), GridInk::White) << "the lines stop short of the last crossing";
    EXPECT_EQ(ink(0, 0), GridInk::White);
    EXPECT_EQ(ink(704, 704), GridInk::White);
}

TEST(GridPicture, LabelAreasArePaperExceptForTheirInk) {
    for (int k : kOffAxis) {
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

TEST(GridPicture, OriginCarriesNoTickOrLabel) {
    // Only the two axis lines are black around the crossing and below it.
    for (int row = 350; row <= 376; ++row) {
        for (int column = 344; column <= 355; ++column) {
            const bool onAxis = row == 356 || column == 349;
            EXPECT_EQ(ink(column, row) == GridInk::Black, onAxis) << where(column, row);
        }
    }
}

TEST(GridPicture, LabelsSitInTheirBoxesInThreeColours) {
    for (int k : kOffAxis) {
        const int value = k - 5;
        SCOPED_TRACE(testing::Message() << "value " << value);
        const int x = kColumns[k];
        if (value > 0) {
            expectLabelIn({x - 2, 362, x + 2, 371}, blackBox(x - 8, x + 8, 359, 374));
        } else {
            expectLabelIn({x, 362, x + 4, 371}, blackBox(x, x + 8, 359, 374));
            EXPECT_EQ(blackBox(x - 8, x - 1, 359, 374), (Box{x - 5, 367, x - 2, 367}));
        }
        const int y = kRows[10 - k];
        expectLabelIn({339, y - 3, 343, y + 6}, blackBox(338, 347, y - 8, y + 10));
        const Box minus =
            value > 0 ? Box{kPictureSize, kPictureSize, -1, -1} : Box{334, y + 2, 336, y + 2};
        EXPECT_EQ(blackBox(326, 336, y - 8, y + 10), minus);
    }
    expectLabelIn({693, 343, 698, 349}, blackBox(685, 704, 330, 350));
    expectLabelIn({356, 6, 362, 15}, blackBox(353, 372, 0, 20));
    // No anti-aliasing at ratio 1: three colours only.
    for (int row = 0; row < kPictureSize; ++row) {
        for (int column = 0; column < kPictureSize; ++column) {
            ASSERT_NE(ink(column, row), GridInk::Other) << where(column, row);
        }
    }
}

// At ratio 2 every line covers exactly its scaled pixels, and the digits are
// drawn at the device's resolution: their edges have shades between paper
// and ink, which a blown-up bitmap would not.
TEST(GridPicture, AtRatioTwoLinesCoverTheirScaledPixelsAndDigitsAreSmooth) {
    const QImage twice = paintedGrid(2.0);
    ASSERT_EQ(twice.size(), QSize(1410, 1410));
    for (int k : kOffAxis) {
        for (int dx : {0, 1}) {
            EXPECT_EQ(inkOf(twice.pixel(2 * kColumns[k] + dx, 200)), GridInk::Grey) << k;
            EXPECT_EQ(inkOf(twice.pixel(2 * 100 + dx, 2 * kRows[k])), GridInk::Grey) << k;
        }
        EXPECT_EQ(inkOf(twice.pixel(2 * kColumns[k] - 1, 200)), GridInk::White) << k;
        EXPECT_EQ(inkOf(twice.pixel(2 * kColumns[k] + 2, 200)), GridInk::White) << k;
    }
    for (int d : {0, 1}) {
        EXPECT_EQ(inkOf(twice.pixel(2 * 349 + d, 2 * 100)), GridInk::Black);
        EXPECT_EQ(inkOf(twice.pixel(2 * 100, 2 * 356 + d)), GridInk::Black);
    }
    int shades = 0;
    for (int row = 2 * 359; row < 2 * 375; ++row) {
        for (int column = 2 * 410; column < 2 * 425; ++column) {
            shades += inkOf(twice.pixel(column, row)) == GridInk::Other ? 1 : 0;
        }
    }
    EXPECT_GT(shades, 10);
}

namespace {

constexpr QRgb kRed = 0xFFFF0000;

// The board's 22 groups on a board of the picture's size.
struct Markers {
    std::array<std::unique_ptr<MarkerGroup>, kMarkerGroupCount> groups;
    MarkerGroupSet set{};
    std::unique_ptr<Board> board;

    Markers() {
        for (int g = 1; g <= kMarkerGroupCount; ++g) {
            groups[g - 1] = std::make_unique<MarkerGroup>(g);
            set[g - 1] = groups[g - 1].get();
        }
        board = std::make_unique<Board>(set);
        board->resize(kPictureSize, kPictureSize);
        for (MarkerGroup* group : set) {
            group->placeOn(board.get());
        }
    }

    Marker& at(LatticePoint p) {
        const MarkerId id = markerFor(p);
        return (*set[id.group - 1])[id.index];
    }

    QImage shown(qreal ratio = 1.0) const {
        QImage image(QSize(kPictureSize, kPictureSize) * ratio, QImage::Format_RGB32);
        image.setDevicePixelRatio(ratio);
        board->render(&image);
        return image;
    }
};

QRect redBox(const QImage& image, int* count) {
    QRect box;
    *count = 0;
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            if (image.pixel(column, row) == kRed) {
                box |= QRect(column, row, 1, 1);
                ++*count;
            }
        }
    }
    return box;
}

} // namespace

TEST(BoardMarkers, EachPointHasItsOwnMarkerAndResetHidesEveryDot) {
    Markers markers;
    std::size_t placed = 0;
    for (const MarkerGroup* group : markers.set) {
        placed += group->markers().size();
    }
    EXPECT_EQ(placed, 121u);
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            EXPECT_EQ(markers.at({x, y}).disc(), discRect({x, y})) << where(x, y);
            markers.at({x, y}).setBackStyle(Marker::kOpaque);
            markers.at({x, y}).setBackColor(Marker::kRed);
        }
    }
    EXPECT_NE(markers.shown(), picture());
    resetAllMarkers(markers.set);
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            EXPECT_EQ(markers.at({x, y}).backStyle(), Marker::kTransparent);
        }
    }
    EXPECT_EQ(markers.shown(), picture());
}

TEST(BoardMarkers, LightingDrawsOneHardEdgedRedDiscOnItsCrossing) {
    struct Case {
        int group;
        int index;
        LatticePoint point;
    };
    const Case cases[] = {
        {6, 0, {0, 0}},    // on the crossing of the axes
        {18, 5, {-5, -1}}, // next to the left edge
        {5, 5, {5, 5}},    // top-right corner
        {22, 5, {-5, -5}}, // bottom-left corner
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.group << "/" << c.index);
        Markers markers;
        lightMarker(*markers.set[c.group - 1], c.index);
        const Marker& marker = markers.at(c.point);
        EXPECT_EQ(marker.backStyle(), Marker::kOpaque);
        EXPECT_EQ(marker.backColor(), 0x0000FFu);

        const QImage image = markers.shown();
        const QPoint centre = latticePixel(c.point);
        int count = 0;
        // A whole disc of 25 pixels on the crossing pixel, with no shaded edge.
        EXPECT_EQ(redBox(image, &count), QRect(centre.x() - 12, centre.y() - 12, 25, 25));
        EXPECT_NEAR(count, 3.14159 * 12.5 * 12.5, 25.0);
        for (int row = 0; row < kPictureSize; ++row) {
            for (int column = 0; column < kPictureSize; ++column) {
                const QRgb pixel = image.pixel(column, row);
                ASSERT_TRUE(pixel == kRed || pixel == picture().pixel(column, row))
                    << where(column, row);
            }
        }
    }
}

// On a screen of ratio 2 the lit disc is 50 device pixels across, drawn at
// that resolution rather than as a 25-pixel disc blown up.
TEST(BoardMarkers, DiscsAreDrawnForTheDeviceRatio) {
    Markers markers;
    lightMarker(*markers.set[5], 0);
    const QImage shown = markers.shown(2.0);
    int count = 0;
    const QRect red = redBox(shown, &count);
    EXPECT_NEAR(red.left(), 2 * 349 - 24, 1);
    EXPECT_NEAR(red.right(), 2 * 349 + 25, 1);
    EXPECT_NEAR(count, 3.14159 * 25 * 25, 150.0);
    const auto redInRow = [&shown](int row) {
        int inRow = 0;
        for (int column = 0; column < shown.width(); ++column) {
            inRow += shown.pixel(column, row) == kRed ? 1 : 0;
        }
        return inRow;
    };
    EXPECT_LT(redInRow(red.top()), redInRow(red.top() + 1));
}

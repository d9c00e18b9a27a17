// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QColor>
#include <QImage>
#include <QPalette>
#include <QWidget>
#include <array>
#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>

#include "window/BoardSurface.h"
#include "window/GridImage.h"
#include "window/GridPicture.h"
#include "window/Marker.h"
#include "window/MarkerGroup.h"
#include "window/MarkerGroups.h"

namespace {

constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kRed = 0xFFFF0000;

// A plain backdrop in one colour, so that anything a marker paints shows.
std::unique_ptr<QWidget> backdrop(int size, const QBrush& brush) {
    auto widget = std::make_unique<QWidget>();
    QPalette palette = widget->palette();
    palette.setBrush(QPalette::Window, brush);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
    widget->resize(size, size);
    return widget;
}

QImage snapshot(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

std::string where(int column, int row) {
    return (testing::Message() << "(" << column << ", " << row << ")").GetString();
}

// Inclusive bounding box of the pixels of one colour, and how many there are.
struct ColourBox {
    int left = 1 << 20;
    int top = 1 << 20;
    int right = -1;
    int bottom = -1;
    int count = 0;
};

ColourBox boxOf(const QImage& image, QRgb colour) {
    ColourBox box;
    for (int row = 0; row < image.height(); ++row) {
        for (int column = 0; column < image.width(); ++column) {
            if (image.pixel(column, row) == colour) {
                box.left = std::min(box.left, column);
                box.right = std::max(box.right, column);
                box.top = std::min(box.top, row);
                box.bottom = std::max(box.bottom, row);
                ++box.count;
            }
        }
    }
    return box;
}

// The board's 22 groups on a backdrop showing the grid picture.
struct Board {
    std::unique_ptr<QWidget> widget =
        backdrop(GridPicture::kSize, QBrush(gridImage(GridPicture::draw())));
    std::array<std::unique_ptr<MarkerGroup>, kMarkerGroupCount> groups;
    MarkerGroupSet set{};

    Board() {
        for (int g = 1; g <= kMarkerGroupCount; ++g) {
            auto& group = groups[static_cast<std::size_t>(g - 1)];
            group = std::make_unique<MarkerGroup>(g);
            group->create(widget.get());
            set[static_cast<std::size_t>(g - 1)] = group.get();
        }
    }

    Marker& at(LatticePoint p) {
        const MarkerId id = markerFor(p);
        return (*groups[static_cast<std::size_t>(id.group - 1)])[id.index];
    }
};

} // namespace

TEST(MarkerWidget, StartsTransparentAndNeverTakesTheMouse) {
    auto parent = backdrop(60, QColor::fromRgb(kGreen));
    auto* marker = new Marker(parent.get());
    marker->move(10, 10);
    EXPECT_EQ(marker->backStyle(), Marker::kTransparent);
    EXPECT_EQ(marker->size(), QSize(25, 25));
    EXPECT_FALSE(marker->autoFillBackground());
    EXPECT_TRUE(marker->testAttribute(Qt::WA_TransparentForMouseEvents));
    // Hit-testing passes through to the parent, whose cursor then shows.
    EXPECT_EQ(parent->childAt(22, 22), nullptr);
}

TEST(MarkerWidget, TransparentMarkerLeavesTheBackgroundUntouched) {
    auto parent = backdrop(60, QColor::fromRgb(kGreen));
    auto* marker = new Marker(parent.get());
    marker->move(10, 10);
    marker->setBackColor(Marker::kRed);
    marker->setBackStyle(Marker::kOpaque);
    marker->setBackStyle(Marker::kTransparent);
    const QImage image = snapshot(*parent);
    EXPECT_EQ(boxOf(image, kGreen).count, 60 * 60);
}

TEST(MarkerWidget, OpaqueRedDrawsAHardEdgedDiscOfDiameter25) {
    auto parent = backdrop(60, QColor::fromRgb(kGreen));
    auto* marker = new Marker(parent.get());
    marker->move(10, 10);
    marker->setBackStyle(Marker::kOpaque);
    marker->setBackColor(Marker::kRed);
    const QImage image = snapshot(*parent);

    EXPECT_EQ(image.pixel(22, 22), kRed);
    for (auto [column, row] :
         {std::pair{10, 10}, std::pair{34, 10}, std::pair{10, 34}, std::pair{34, 34}}) {
        EXPECT_EQ(image.pixel(column, row), kGreen) << where(column, row);
    }
    const ColourBox red = boxOf(image, kRed);
    EXPECT_EQ(red.left, 10);
    EXPECT_EQ(red.right, 34);
    EXPECT_EQ(red.top, 10);
    EXPECT_EQ(red.bottom, 34);
    // No blended edge: every pixel is either the disc or the backdrop.
    EXPECT_EQ(red.count + boxOf(image, kGreen).count, 60 * 60);
    EXPECT_NEAR(red.count, 3.14159 * 12.5 * 12.5, 25.0);
}

TEST(MarkerWidget, BackColourIsReadAsBlueGreenRed) {
    struct Case {
        std::uint32_t colour;
        QRgb shown;
    };
    const Case cases[] = {
        {0x0000FF, 0xFFFF0000},
        {0x00FF00, 0xFF00FF00},
        {0xFF0000, 0xFF0000FF},
        {0x123456, 0xFF563412},
    };
    for (const Case& c : cases) {
        auto parent = backdrop(45, Qt::white);
        auto* marker = new Marker(parent.get());
        marker->move(10, 10);
        marker->setBackStyle(Marker::kOpaque);
        marker->setBackColor(c.colour);
        EXPECT_EQ(marker->backColor(), c.colour);
        EXPECT_EQ(snapshot(*parent).pixel(22, 22), c.shown) << std::hex << c.colour;
    }
}

TEST(MarkerWidget, RejectsUnknownStylesAndColours) {
    Marker marker;
    EXPECT_THROW(marker.setBackStyle(2), std::invalid_argument);
    EXPECT_THROW(marker.setBackStyle(-1), std::invalid_argument);
    EXPECT_THROW(marker.setBackColor(0x80000005), std::invalid_argument);
    EXPECT_EQ(marker.backStyle(), Marker::kTransparent);
}

TEST(MarkerGroup, CreatesOneMarkerPerIndexOnItsLatticePoint) {
    QWidget parent;
    for (int g = 1; g <= kMarkerGroupCount; ++g) {
        MarkerGroup group(g);
        EXPECT_EQ(group.number(), g);
        EXPECT_EQ(group.firstIndex(), g <= 11 ? 0 : 1);
        EXPECT_EQ(group.lastIndex(), 5);
        group.create(&parent);
        for (int index = group.firstIndex(); index <= group.lastIndex(); ++index) {
            const PixelRect rect = discRect(pointOf({g, index}));
            EXPECT_EQ(group[index].geometry(), QRect(rect.left, rect.top, 25, 25))
                << "group " << g << " index " << index;
            EXPECT_EQ(group[index].parentWidget(), &parent);
            EXPECT_EQ(group[index].backStyle(), Marker::kTransparent);
        }
    }
    EXPECT_EQ(parent.findChildren<Marker*>().size(), 121);
}

TEST(MarkerGroup, MisuseIsRejected) {
    EXPECT_THROW(MarkerGroup(0), std::out_of_range);
    EXPECT_THROW(MarkerGroup(23), std::out_of_range);

    MarkerGroup left(12);
    EXPECT_THROW((void)left[1], std::logic_error); // not created yet
    auto parent = std::make_unique<QWidget>();
    left.create(parent.get());
    EXPECT_THROW(left.create(parent.get()), std::logic_error);
    EXPECT_THROW((void)left[0], std::out_of_range);
    EXPECT_THROW((void)left[6], std::out_of_range);
    EXPECT_NO_THROW((void)left[5]);
    parent.reset();
    EXPECT_THROW((void)left[5], std::logic_error); // went with its parent
}

TEST(MarkerBoard, ResetHidesEveryDotIncludingTheOrigin) {
    Board board;
    const QImage grid = gridImage(GridPicture::draw());
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            board.at({x, y}).setBackStyle(Marker::kOpaque);
            board.at({x, y}).setBackColor(Marker::kRed);
        }
    }
    EXPECT_NE(snapshot(*board.widget), grid);
    resetAllMarkers(board.set);
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            EXPECT_EQ(board.at({x, y}).backStyle(), Marker::kTransparent);
        }
    }
    EXPECT_EQ(snapshot(*board.widget), grid);
}

TEST(MarkerBoard, ResetNeedsTheGroupsInNumberOrder) {
    Board board;
    MarkerGroupSet swapped = board.set;
    std::swap(swapped[0], swapped[1]);
    EXPECT_THROW(resetAllMarkers(swapped), std::invalid_argument);
    MarkerGroupSet missing = board.set;
    missing[21] = nullptr;
    EXPECT_THROW(resetAllMarkers(missing), std::invalid_argument);
}

TEST(MarkerBoard, LightingDrawsOneRedDiscOnItsCrossing) {
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
        Board board;
        lightMarker(*board.set[static_cast<std::size_t>(c.group - 1)], c.index);
        const Marker& marker = board.at(c.point);
        EXPECT_EQ(marker.backStyle(), Marker::kOpaque);
        EXPECT_EQ(marker.backColor(), 0x0000FFu);

        const QImage image = snapshot(*board.widget);
        const GridPixel centre = latticePixel(c.point);
        const ColourBox red = boxOf(image, kRed);
        EXPECT_EQ(image.pixel(centre.column, centre.row), kRed);
        // A whole disc, symmetric about the crossing pixel.
        EXPECT_EQ(red.left, centre.column - 12) << c.group << "/" << c.index;
        EXPECT_EQ(red.right, centre.column + 12) << c.group << "/" << c.index;
        EXPECT_EQ(red.top, centre.row - 12) << c.group << "/" << c.index;
        EXPECT_EQ(red.bottom, centre.row + 12) << c.group << "/" << c.index;
        EXPECT_NEAR(red.count, 3.14159 * 12.5 * 12.5, 25.0);
    }
}

// On a screen of ratio 2 the board shows the picture drawn for that ratio,
// one image pixel per device pixel, and the lit disc is 50 device pixels
// across with a hard edge.
TEST(MarkerBoard, BoardAndDiscsAreDrawnForTheDeviceRatio) {
    BoardSurface board;
    board.resize(GridPicture::kSize, GridPicture::kSize);
    MarkerGroup origin(6);
    origin.create(&board);
    lightMarker(origin, 0);

    QImage shown(1410, 1410, QImage::Format_RGB32);
    shown.setDevicePixelRatio(2.0);
    board.render(&shown);
    const QImage expected = gridImage(GridPicture::draw(2.0));
    ASSERT_EQ(expected.size(), shown.size());

    const ColourBox red = boxOf(shown, kRed);
    EXPECT_EQ(red.left, 2 * 349 - 24);
    EXPECT_EQ(red.right, 2 * 349 + 25);
    EXPECT_EQ(red.top, 2 * 356 - 24);
    EXPECT_EQ(red.bottom, 2 * 356 + 25);
    EXPECT_NEAR(red.count, 3.14159 * 25 * 25, 50.0);
    // Not a 25-pixel disc blown up: its top rows widen one by one.
    const auto redInRow = [&shown](int row) {
        int count = 0;
        for (int column = 0; column < shown.width(); ++column) {
            count += shown.pixel(column, row) == kRed ? 1 : 0;
        }
        return count;
    };
    EXPECT_LT(redInRow(red.top), redInRow(red.top + 1));
    for (int row = 0; row < shown.height(); ++row) {
        for (int column = 0; column < shown.width(); ++column) {
            const QRgb pixel = shown.pixel(column, row);
            if (pixel != kRed) {
                ASSERT_EQ(pixel, expected.pixel(column, row)) << where(column, row);
            }
        }
    }
}

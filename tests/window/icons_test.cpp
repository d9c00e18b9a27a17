// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Icons.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Picture {
    std::string name;
    std::function<QPixmap(int, qreal)> draw;
};

const std::vector<Picture>& allPictures() {
    static const std::vector<Picture> pictures{
        {"mascot",
         [](int s, qreal ratio) {
             return Icons::mascot(s, ratio);
         }},
        {"smilingFace",
         [](int s, qreal ratio) {
             return Icons::smilingFace(s, ratio);
         }},
        {"neutralFace",
         [](int s, qreal ratio) {
             return Icons::neutralFace(s, ratio);
         }},
        {"laughingFace",
         [](int s, qreal ratio) {
             return Icons::laughingFace(s, ratio);
         }},
        {"noEntrySign",
         [](int s, qreal ratio) {
             return Icons::noEntrySign(s, ratio);
         }},
    };
    return pictures;
}

QImage pixels(const QPixmap& pixmap) {
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// Colour at a point given in hundredths of the picture's side.
QColor at(const QImage& image, int xPercent, int yPercent) {
    return image.pixelColor(image.width() * xPercent / 100, image.height() * yPercent / 100);
}

bool isYellow(const QColor& c) {
    return c.alpha() == 255 && c.red() > 200 && c.green() > 170 && c.blue() < 120;
}
bool isRed(const QColor& c) {
    return c.alpha() == 255 && c.red() > 170 && c.green() < 80 && c.blue() < 80;
}
bool isWhite(const QColor& c) {
    return c.alpha() == 255 && c.red() > 235 && c.green() > 235 && c.blue() > 235;
}
bool isDark(const QColor& c) {
    return c.alpha() == 255 && c.red() < 110 && c.green() < 110 && c.blue() < 110;
}

int redPixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += isRed(image.pixelColor(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// Lowest dark row of a column within the lower part of a face: where the mouth
// line is at that column.
int mouthBottom(const QImage& image, int x) {
    int bottom = -1;
    for (int y = image.height() * 55 / 100; y < image.height() * 92 / 100; ++y) {
        if (isDark(image.pixelColor(x, y))) {
            bottom = y;
        }
    }
    return bottom;
}

} // namespace

TEST(Icons, EveryPictureIsSquareTransparentAtCornersAndOpaqueInMiddle) {
    for (const Picture& picture : allPictures()) {
        for (const int size : {16, 32, 48, 128}) {
            SCOPED_TRACE(testing::Message() << picture.name << " at " << size);
            const QPixmap pixmap = picture.draw(size, 1.0);
            ASSERT_FALSE(pixmap.isNull());
            EXPECT_EQ(pixmap.size(), QSize(size, size));
            EXPECT_EQ(pixmap.devicePixelRatio(), 1.0);
            const QImage image = pixels(pixmap);
            const int last = size - 1;
            for (const QPoint corner :
                 {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)}) {
                EXPECT_EQ(image.pixelColor(corner).alpha(), 0) << corner.x() << "," << corner.y();
            }
            EXPECT_EQ(image.pixelColor(size / 2, size / 2).alpha(), 255);
        }
    }
}

TEST(Icons, DefaultSizeIsThirtyTwo) {
    for (const QPixmap& pixmap : {Icons::mascot(), Icons::smilingFace(), Icons::neutralFace(),
                                  Icons::laughingFace(), Icons::noEntrySign()}) {
        EXPECT_EQ(pixmap.size(), QSize(32, 32));
    }
}

TEST(Icons, SizeBelowOneGivesNullPixmap) {
    for (const Picture& picture : allPictures()) {
        for (const int size : {0, -1, -32}) {
            EXPECT_TRUE(picture.draw(size, 1.0).isNull()) << picture.name << " at " << size;
        }
    }
}

TEST(Icons, FacesAreYellowAndOnlyTheLaughingOneShowsRed) {
    struct Case {
        std::string name;
        QPixmap pixmap;
        bool redMouth;
    };
    const std::vector<Case> cases{{"smiling", Icons::smilingFace(64), false},
                                  {"neutral", Icons::neutralFace(64), false},
                                  {"laughing", Icons::laughingFace(64), true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = pixels(c.pixmap);
        EXPECT_TRUE(isYellow(at(image, 50, 20)));
        EXPECT_TRUE(isYellow(at(image, 20, 45)));
        const QRect mouthArea(64 * 35 / 100, 64 * 62 / 100, 64 * 30 / 100, 64 * 14 / 100);
        if (c.redMouth) {
            EXPECT_GT(redPixels(image, mouthArea), mouthArea.width() * mouthArea.height() / 2);
        } else {
            EXPECT_EQ(redPixels(image, image.rect()), 0);
        }
    }
}

TEST(Icons, SmileCurvesUpwardsWhileNeutralMouthIsLevel) {
    const QImage smiling = pixels(Icons::smilingFace(100));
    const QImage neutral = pixels(Icons::neutralFace(100));
    ASSERT_GE(mouthBottom(smiling, 50), 0);
    ASSERT_GE(mouthBottom(smiling, 33), 0);
    EXPECT_GT(mouthBottom(smiling, 50) - mouthBottom(smiling, 33), 5);
    ASSERT_GE(mouthBottom(neutral, 50), 0);
    ASSERT_GE(mouthBottom(neutral, 36), 0);
    EXPECT_LE(std::abs(mouthBottom(neutral, 50) - mouthBottom(neutral, 36)), 1);
}

TEST(Icons, NoEntrySignIsRedRingAroundWhiteBar) {
    for (const int size : {16, 32, 128}) {
        SCOPED_TRACE(size);
        const QImage image = pixels(Icons::noEntrySign(size));
        EXPECT_TRUE(isRed(at(image, 50, 15)));
        EXPECT_TRUE(isRed(at(image, 50, 85)));
        EXPECT_TRUE(isRed(at(image, 12, 50)));
        EXPECT_TRUE(isRed(at(image, 87, 50)));
        EXPECT_TRUE(isWhite(at(image, 50, 50)));
        EXPECT_TRUE(isWhite(at(image, 25, 50)));
        EXPECT_TRUE(isWhite(at(image, 75, 50)));
    }
}

TEST(Icons, PicturesDifferFromOneAnother) {
    const std::vector<Picture>& pictures = allPictures();
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        for (std::size_t j = i + 1; j < pictures.size(); ++j) {
            EXPECT_NE(pixels(pictures[i].draw(32, 1.0)), pixels(pictures[j].draw(32, 1.0)))
                << pictures[i].name << " vs " << pictures[j].name;
        }
    }
}

// The icon offers the small sizes a window manager hands to title bars and
// task bars (X sends every offered size to the server with each window), and
// draws any other size on request.
TEST(Icons, WindowIconCarriesTheMascotAtEveryListedSize) {
    const QIcon icon = Icons::windowIcon();
    QList<QSize> expected;
    for (const int size : {16, 24, 32, 48, 64}) {
        expected.append(QSize(size, size));
    }
    QList<QSize> sizes = icon.availableSizes();
    std::sort(sizes.begin(), sizes.end(),
              [](const QSize& a, const QSize& b) { return a.width() < b.width(); });
    EXPECT_EQ(sizes, expected);
    EXPECT_EQ(pixels(icon.pixmap(QSize(48, 48))), pixels(Icons::mascot(48)));
    EXPECT_EQ(pixels(icon.pixmap(QSize(128, 128))), pixels(Icons::mascot(128)));
}

TEST(Icons, PointerIsSmallSquareCentredOnItsHotSpotInBlackAndWhite) {
    const QCursor cursor = Icons::smallSquarePointer();
    const QImage image = pixels(cursor.pixmap());
    ASSERT_FALSE(image.isNull());
    const QPoint hot = cursor.hotSpot();
    EXPECT_TRUE(image.rect().contains(hot));

    QRect ink;
    bool black = false;
    bool white = false;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() == 0) {
                continue;
            }
            ink |= QRect(x, y, 1, 1);
            black = black || isDark(c);
            white = white || isWhite(c);
        }
    }
    EXPECT_TRUE(black);
    EXPECT_TRUE(white);
    EXPECT_EQ(ink.width(), ink.height());
    EXPECT_LE(ink.width(), image.width() / 2);
    EXPECT_EQ(ink.center(), hot);
}

TEST(Icons, PicturesForADenseScreenKeepTheirSizeInPixelsAtDeviceResolution) {
    for (const Picture& picture : allPictures()) {
        for (const qreal ratio : {1.5, 2.0}) {
            SCOPED_TRACE(testing::Message() << picture.name << " at ratio " << ratio);
            const QPixmap dense = picture.draw(32, ratio);
            EXPECT_EQ(dense.size(), QSize(qRound(32 * ratio), qRound(32 * ratio)));
            EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(32, 32));
        }
    }
    const QCursor pointer = Icons::smallSquarePointer(2.0);
    EXPECT_EQ(pointer.pixmap().size(), QSize(64, 64));
    EXPECT_EQ(pointer.pixmap().deviceIndependentSize(), QSizeF(32, 32));
    EXPECT_EQ(pointer.hotSpot(), QPoint(16, 16));
}

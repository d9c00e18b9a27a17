// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include <algorithm>
#include <array>
#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "window/BoardGeometry.h"

namespace {

// The ordinate of each group's row: groups 1 to 11, and again 12 to 22.
constexpr std::array<int, 11> kGroupRows{1, 2, 3, 4, 5, 0, -1, -2, -3, -4, -5};

std::string name(LatticePoint p) {
    return (testing::Message() << "(" << p.x << ", " << p.y << ")").GetString();
}

} // namespace

TEST(MarkerGroups, EveryPointFindsTheOneMarkerOfItsRowAndColumn) {
    std::set<std::pair<int, int>> seen;
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            const LatticePoint p{x, y};
            const MarkerId id = markerFor(p);
            ASSERT_GE(id.group, 1) << name(p);
            ASSERT_LE(id.group, 22) << name(p);
            EXPECT_EQ(kGroupRows[static_cast<std::size_t>((id.group - 1) % 11)], y) << name(p);
            // Abscissas from 0 up in groups 1 to 11 (0 always at index 0 there),
            // below 0 in groups 12 to 22.
            EXPECT_EQ(id.group <= 11, x >= 0) << name(p);
            EXPECT_EQ(id.index, x >= 0 ? x : -x) << name(p);
            seen.insert({id.group, id.index});
        }
    }
    EXPECT_EQ(seen.size(), 121u);
}

TEST(MarkerGroups, KnownPointsAndTheirMarkers) {
    struct Case {
        LatticePoint point;
        MarkerId id;
    };
    const Case cases[] = {
        {{0, 0}, {6, 0}},
        {{-5, -1}, {18, 5}},
        {{-1, 0}, {17, 1}},
        {{3, -5}, {11, 3}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(markerFor(c.point), c.id) << name(c.point);
    }
}

TEST(MarkerGroups, OffBoardPointsAreRejected) {
    for (LatticePoint p :
         {LatticePoint{6, 0}, LatticePoint{-6, 0}, LatticePoint{0, 6}, LatticePoint{0, -6}}) {
        EXPECT_THROW((void)markerFor(p), std::out_of_range) << name(p);
    }
}

TEST(MarkerDiscs, EachDiscCoversItsPointInsideThePictureAndKeepsApart) {
    std::vector<std::pair<double, double>> centres;
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            const LatticePoint p{x, y};
            const QRect rect = discRect(p);
            const QPoint pixel = latticePixel(p);
            EXPECT_EQ(rect.width(), 25) << name(p);
            EXPECT_EQ(rect.height(), 25) << name(p);
            // The middle pixel of the square is the crossing pixel.
            EXPECT_EQ(rect.left() + 12, pixel.x()) << name(p);
            EXPECT_EQ(rect.top() + 12, pixel.y()) << name(p);
            EXPECT_GE(rect.left(), 0) << name(p);
            EXPECT_GE(rect.top(), 0) << name(p);
            EXPECT_LE(rect.left() + rect.width(), kPictureSize) << name(p);
            EXPECT_LE(rect.top() + rect.height(), kPictureSize) << name(p);
            centres.emplace_back(rect.left() + rect.width() / 2.0,
                                 rect.top() + rect.height() / 2.0);
        }
    }
    double closest = 1e9;
    for (std::size_t i = 0; i < centres.size(); ++i) {
        for (std::size_t j = i + 1; j < centres.size(); ++j) {
            closest = std::min(closest, std::hypot(centres[i].first - centres[j].first,
                                                   centres[i].second - centres[j].second));
        }
    }
    EXPECT_GE(closest, 48.0);
}

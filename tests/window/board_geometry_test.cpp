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

struct GroupRow {
    int group;
    int ordinate;
    int firstIndex;
    int lastIndex;
    int sign;
};

// The board's group table, written out row by row.
constexpr std::array<GroupRow, 22> kTable{{
    {1, 1, 0, 5, 1},    {2, 2, 0, 5, 1},    {3, 3, 0, 5, 1},    {4, 4, 0, 5, 1},
    {5, 5, 0, 5, 1},    {6, 0, 0, 5, 1},    {7, -1, 0, 5, 1},   {8, -2, 0, 5, 1},
    {9, -3, 0, 5, 1},   {10, -4, 0, 5, 1},  {11, -5, 0, 5, 1},  {12, 1, 1, 5, -1},
    {13, 2, 1, 5, -1},  {14, 3, 1, 5, -1},  {15, 4, 1, 5, -1},  {16, 5, 1, 5, -1},
    {17, 0, 1, 5, -1},  {18, -1, 1, 5, -1}, {19, -2, 1, 5, -1}, {20, -3, 1, 5, -1},
    {21, -4, 1, 5, -1}, {22, -5, 1, 5, -1},
}};

std::string name(LatticePoint p) {
    return (testing::Message() << "(" << p.x << ", " << p.y << ")").GetString();
}

} // namespace

TEST(MarkerGroups, LayoutsMatchTheGroupTable) {
    for (const GroupRow& row : kTable) {
        const MarkerGroupLayout& layout = markerGroupLayout(row.group);
        EXPECT_EQ(layout.ordinate, row.ordinate) << "group " << row.group;
        EXPECT_EQ(layout.firstIndex, row.firstIndex) << "group " << row.group;
        EXPECT_EQ(layout.lastIndex, row.lastIndex) << "group " << row.group;
        EXPECT_EQ(layout.abscissaSign, row.sign) << "group " << row.group;
    }
    EXPECT_THROW((void)markerGroupLayout(0), std::out_of_range);
    EXPECT_THROW((void)markerGroupLayout(23), std::out_of_range);
}

TEST(MarkerGroups, EveryPointFindsTheOneMarkerOfItsRowAndColumn) {
    std::set<std::pair<int, int>> seen;
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            const LatticePoint p{x, y};
            const MarkerId id = markerFor(p);
            ASSERT_GE(id.group, 1) << name(p);
            ASSERT_LE(id.group, 22) << name(p);
            const GroupRow& row = kTable[static_cast<std::size_t>(id.group - 1)];
            EXPECT_EQ(row.ordinate, y) << name(p);
            EXPECT_GE(id.index, row.firstIndex) << name(p);
            EXPECT_LE(id.index, row.lastIndex) << name(p);
            EXPECT_EQ(row.sign * id.index, x) << name(p);
            EXPECT_EQ(pointOf(id), p) << name(p);
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

TEST(MarkerGroups, AbscissaZeroAlwaysUsesIndexZeroOfTheLeftGroups) {
    for (int y = -5; y <= 5; ++y) {
        const MarkerId id = markerFor({0, y});
        EXPECT_LE(id.group, 11) << "ordinate " << y;
        EXPECT_EQ(id.index, 0) << "ordinate " << y;
    }
}

TEST(MarkerGroups, OffBoardPointsAndMarkersAreRejected) {
    for (LatticePoint p :
         {LatticePoint{6, 0}, LatticePoint{-6, 0}, LatticePoint{0, 6}, LatticePoint{0, -6}}) {
        EXPECT_THROW((void)markerFor(p), std::out_of_range) << name(p);
        EXPECT_THROW((void)discRect(p), std::out_of_range) << name(p);
    }
    for (MarkerId id : {MarkerId{12, 0}, MarkerId{22, 0}, MarkerId{1, 6}, MarkerId{1, -1},
                        MarkerId{0, 1}, MarkerId{23, 1}}) {
        EXPECT_THROW((void)pointOf(id), std::out_of_range)
            << "group " << id.group << " index " << id.index;
    }
}

TEST(MarkerDiscs, EachDiscCoversItsPointInsideThePictureAndKeepsApart) {
    std::vector<std::pair<double, double>> centres;
    for (int x = -5; x <= 5; ++x) {
        for (int y = -5; y <= 5; ++y) {
            const LatticePoint p{x, y};
            const QRect rect = discRect(p);
            const GridPixel pixel = latticePixel(p);
            EXPECT_EQ(rect.width(), 25) << name(p);
            EXPECT_EQ(rect.height(), 25) << name(p);
            // The middle pixel of the square is the crossing pixel.
            EXPECT_EQ(rect.left() + 12, pixel.column) << name(p);
            EXPECT_EQ(rect.top() + 12, pixel.row) << name(p);
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

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/TargetDraw.h"
#include "support/ScriptedPlatform.h"
#include "window/LatticePoint.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <optional>
#include <vector>

namespace {

// A draw that floors to `value` when scaled by `count`, taken from the middle
// of its interval.
double drawFor(int value, int count) {
    return (value + 0.5) / count;
}

TEST(TargetDraw, FourScriptedDrawsGiveTheirTarget) {
    const struct {
        int ordinateSignFlag;
        int abscissaMagnitude;
        int abscissaSignFlag;
        std::optional<LatticePoint> point;
    } rows[] = {
        {1, 3, 1, LatticePoint{3, 4}},  {1, 4, 1, LatticePoint{4, 4}},
        {1, 0, 1, LatticePoint{0, 4}},  {1, 1, 0, LatticePoint{-1, 4}},
        {1, 0, 0, LatticePoint{-5, 4}}, {0, 2, 1, LatticePoint{2, -4}},
        {0, 0, 1, LatticePoint{0, -4}}, {0, 4, 0, LatticePoint{-4, -4}},
        {0, 0, 0, std::nullopt},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message()
                     << row.ordinateSignFlag << row.abscissaMagnitude << row.abscissaSignFlag);
        ScriptedPlatform random(
            drawsFor(row.ordinateSignFlag, row.abscissaMagnitude, row.abscissaSignFlag));
        EXPECT_EQ(drawTarget(random), row.point);
        EXPECT_EQ(random.drawCount(), 4u);
        EXPECT_EQ(random.reseedCount(), 0);
    }
}

TEST(TargetDraw, ConsecutiveQuestionsTakeExactlyFourDrawsEach) {
    ScriptedPlatform random(drawsForQuestions({{2, 4}, {-3, -1}}));

    EXPECT_EQ(drawTarget(random), (LatticePoint{2, 4}));
    EXPECT_EQ(random.drawCount(), 4u);
    EXPECT_EQ(drawTarget(random), (LatticePoint{-3, -1}));
    EXPECT_EQ(random.drawCount(), 8u);
}

struct EdgeRow {
    std::vector<double> draws;
    std::optional<LatticePoint> point;
};

TEST(TargetDraw, DrawsAtTheEdgesOfIntervalsStayInRange) {
    const double belowOne = std::nextafter(1.0, 0.0);
    const double belowFifth = std::nextafter(0.2, 0.0);
    const double firstOfRowOne = 1.0 / 11.0;
    const EdgeRow rows[] = {
        {{0.0, 0.0, 0.0, 0.0}, LatticePoint{-5, 0}},
        {{std::nextafter(firstOfRowOne, 0.0), 0.0, 0.0, belowOne}, LatticePoint{0, 0}},
        {{firstOfRowOne, 0.0, 0.0, 0.0}, std::nullopt},
        {{belowOne, belowOne, belowOne, belowOne}, LatticePoint{4, 5}},
        {{0.5, 0.5, 0.2, 0.5}, LatticePoint{1, 3}},
        {{belowOne, belowOne, belowFifth, 0.0}, LatticePoint{-5, 5}},
        {{0.7, std::nextafter(0.5, 0.0), 0.8, belowOne}, LatticePoint{4, -4}},
    };
    for (const EdgeRow& row : rows) {
        ScriptedPlatform random(row.draws);
        EXPECT_EQ(drawTarget(random), row.point)
            << row.draws[0] << " " << row.draws[1] << " " << row.draws[2] << " " << row.draws[3];
    }
}

TEST(TargetDraw, EveryRowIsAskedEquallyOften) {
    // The magnitude's draw swept evenly over [0, 1), with both signs.
    constexpr int kSteps = 1100;
    std::map<int, int> questionsPerRow;
    for (int step = 0; step < kSteps; ++step) {
        for (int sign : {0, 1}) {
            ScriptedPlatform random({(step + 0.5) / kSteps, drawFor(sign, 2), drawFor(1, 5), 0.75});
            const std::optional<LatticePoint> target = drawTarget(random);
            ASSERT_TRUE(target);
            ++questionsPerRow[target->y];
        }
    }
    ASSERT_EQ(questionsPerRow.size(), 11u);
    for (const auto& [row, questions] : questionsPerRow) {
        EXPECT_EQ(questions, 2 * kSteps / 11) << "row " << row;
    }
}

TEST(TargetFor, OrdinateOfZeroOrFive) {
    struct Row {
        int flag, a, s, m;
        std::optional<LatticePoint> point;
    };
    const Row rows[] = {
        {0, 0, 0, 0, LatticePoint{-5, 0}}, {1, 0, 0, 0, LatticePoint{-5, 0}},
        {0, 0, 1, 0, LatticePoint{0, 0}},  {0, 3, 0, 0, LatticePoint{-3, 0}},
        {0, 3, 1, 0, LatticePoint{3, 0}},  {1, 5, 1, 5, LatticePoint{5, 5}},
        {0, 0, 0, 5, std::nullopt},        {0, 0, 0, 1, std::nullopt},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(targetFor(row.flag, row.a, row.s, row.m), row.point)
            << row.flag << row.a << row.s << row.m;
    }
}

} // namespace

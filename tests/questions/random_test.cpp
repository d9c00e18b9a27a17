// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/ClockSeededRandom.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

std::vector<double> firstDraws(RandomSource& random, int count) {
    std::vector<double> draws;
    for (int i = 0; i < count; ++i) {
        draws.push_back(random.next());
    }
    return draws;
}

TEST(ClockSeededRandom, DrawsCoverTheUnitIntervalEvenly) {
    ClockSeededRandom random;
    std::array<int, 5> buckets{};
    constexpr int kDraws = 10000;
    for (int i = 0; i < kDraws; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ++buckets[static_cast<std::size_t>(r * 5)];
    }
    // Each fifth expects 2000 draws; 1500 is more than ten deviations away.
    for (int count : buckets) {
        EXPECT_GT(count, 1500);
    }
}

TEST(ClockSeededRandom, QuickSuccessiveReseedsGiveDifferentSequences) {
    ClockSeededRandom random;
    random.reseedFromClock();
    const std::vector<double> first = firstDraws(random, 3);
    random.reseedFromClock();
    const std::vector<double> second = firstDraws(random, 3);
    EXPECT_NE(first, second);
}

TEST(ClockSeededRandom, GeneratorsCreatedTogetherDrawIndependently) {
    ClockSeededRandom one;
    ClockSeededRandom two;
    EXPECT_NE(firstDraws(one, 3), firstDraws(two, 3));
}

} // namespace

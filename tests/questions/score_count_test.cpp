// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/ScoreCount.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

TEST(ScoreCount, RaiseStopsAtTheLargestCount) {
    struct Row {
        std::int16_t before;
        std::int16_t after;
    };
    const Row rows[] = {{0, 1}, {41, 42}, {32766, 32767}, {32767, 32767}};
    for (const Row& row : rows) {
        std::int16_t counter = row.before;
        raiseCount(counter);
        EXPECT_EQ(counter, row.after) << row.before;
    }
}

TEST(ScoreCount, RepeatedRaisesNeverWrapNegative) {
    std::int16_t counter = 32760;
    for (int i = 0; i < 20; ++i) {
        raiseCount(counter);
        ASSERT_GT(counter, 0);
    }
    EXPECT_EQ(counter, 32767);
}

TEST(ScoreCount, TotalSaturates) {
    struct Row {
        std::int16_t right;
        std::int16_t wrong;
        std::int16_t total;
    };
    const Row rows[] = {
        {0, 1, 1},         {100, 23, 123},        {32766, 1, 32767},
        {32767, 1, 32767}, {16384, 16384, 32767}, {32767, 32767, 32767},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(totalCount(row.right, row.wrong), row.total) << row.right << "+" << row.wrong;
    }
}

TEST(ScoreCount, FormatsPlainDecimal) {
    EXPECT_EQ(formatCount(0), "0");
    EXPECT_EQ(formatCount(7), "7");
    EXPECT_EQ(formatCount(1234), "1234");
    EXPECT_EQ(formatCount(32767), "32767");
}

} // namespace

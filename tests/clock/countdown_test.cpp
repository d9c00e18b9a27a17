// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock/Countdown.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

Countdown at(std::int16_t hours, std::int16_t minutes, float seconds, std::int16_t left) {
    Countdown clock;
    clock.clockHours = hours;
    clock.clockMinutes = minutes;
    clock.clockSeconds = seconds;
    clock.secondsLeft = left;
    return clock;
}

TEST(Countdown, ArmedClockRunsFromFifteenMinutesToZeroInNineHundredTicks) {
    Countdown clock;
    clock.arm();
    EXPECT_EQ(clock.display(), "00:15:00");
    EXPECT_EQ(clock.secondsLeft, 900);
    const std::pair<int, const char*> shown[] = {
        {1, "00:14:59"},   {59, "00:14:01"},  {60, "00:14:00"},  {61, "00:13:59"},
        {450, "00:07:30"}, {841, "00:00:59"}, {899, "00:00:01"}, {900, "00:00:00"},
    };
    int ticks = 0;
    for (const auto& [after, display] : shown) {
        while (ticks < after) {
            clock.tick();
            ++ticks;
            ASSERT_EQ(clock.secondsLeft, 900 - ticks);
        }
        EXPECT_EQ(clock.display(), display) << "tick " << after;
    }
}

TEST(Countdown, BorrowCases) {
    struct Row {
        Countdown before;
        const char* after;
        std::int16_t left;
    };
    const Row rows[] = {
        {at(0, 1, 0, 60), "00:00:59", 59},     {at(1, 0, 0, 3600), "00:59:59", 3599},
        {at(2, 0, 1, 7201), "02:00:00", 7200}, {at(0, 10, 0, 600), "00:09:59", 599},
        {at(0, 0, 1, 1), "00:00:00", 0},
    };
    for (const Row& row : rows) {
        Countdown clock = row.before;
        clock.tick();
        EXPECT_EQ(clock.display(), row.after);
        EXPECT_EQ(clock.secondsLeft, row.left);
    }
}

TEST(Countdown, FieldsPrintAtLeastTwoDigits) {
    EXPECT_EQ(at(0, 9, 5, 545).display(), "00:09:05");
    EXPECT_EQ(at(12, 34, 56, 0).display(), "12:34:56");
    EXPECT_EQ(at(100, 0, 0, 0).display(), "100:00:00");
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/keeper/RecordRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

TEST(LeadingNumber, ReadsTheNumberAtTheStartAndHugeOnesAsInfinite) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"", 0},           {"abc", 0},    {"12\r\n", 12}, {" 12", 12},   {"\t\n7", 7}, {"1 2", 12},
        {" 1 2\r\n", 12},  {"-3", -3},    {"+4", 4},      {"2.5x", 2.5}, {"1e2", 100}, {"1D2", 100},
        {"1 e - 2", 0.01}, {"3e", 3},     {"3e+", 3},     {"12abc", 12}, {"\r12", 0},  {"1\r2", 1},
        {".5", 0.5},       {"-.5", -0.5}, {"5.", 5},      {".", 0},      {"-", 0},     {"--3", 0},
        {"1.2.3", 1.2},    {"0012", 12},  {"1e-400", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(RecordRules::leadingNumber(c.text), c.expected) << '"' << c.text << '"';
    }
    EXPECT_EQ(RecordRules::leadingNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(RecordRules::leadingNumber("-1e400"), -HUGE_VAL);
    // A record file filled to the read limit with digits.
    EXPECT_EQ(RecordRules::leadingNumber(std::string(4096, '9')), HUGE_VAL);
}

} // namespace

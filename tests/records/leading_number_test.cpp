// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/keeper/RecordRules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

struct Case {
    const char* text;
    double expected;
};

class LeadingNumberTest : public ::testing::TestWithParam<Case> {};

TEST_P(LeadingNumberTest, ReadsTheNumberAtTheStart) {
    const Case& c = GetParam();
    EXPECT_DOUBLE_EQ(RecordRules::leadingNumber(c.text), c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LeadingNumberTest,
    ::testing::Values(Case{"", 0}, Case{"abc", 0}, Case{"12\r\n", 12}, Case{" 12", 12},
                      Case{"\t\n7", 7}, Case{"1 2", 12}, Case{" 1 2\r\n", 12}, Case{"-3", -3},
                      Case{"+4", 4}, Case{"2.5x", 2.5}, Case{"1e2", 100}, Case{"1D2", 100},
                      Case{"1 e - 2", 0.01}, Case{"3e", 3}, Case{"3e+", 3}, Case{"12abc", 12},
                      Case{"\r12", 0}, Case{"1\r2", 1}, Case{".5", 0.5}, Case{"-.5", -0.5},
                      Case{"5.", 5}, Case{".", 0}, Case{"-", 0}, Case{"--3", 0}, Case{"1.2.3", 1.2},
                      Case{"0012", 12}, Case{"1e-400", 0}));

TEST(LeadingNumberRangeTest, HugeNumbersAreInfiniteNotGarbage) {
    EXPECT_EQ(RecordRules::leadingNumber("1e400"), HUGE_VAL);
    EXPECT_EQ(RecordRules::leadingNumber("-1e400"), -HUGE_VAL);
    // A record file filled to the read limit with digits.
    EXPECT_EQ(RecordRules::leadingNumber(std::string(4096, '9')), HUGE_VAL);
}

} // namespace

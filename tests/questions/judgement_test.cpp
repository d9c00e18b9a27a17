// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/Judgement.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct JudgementRow {
    const char* typedAbscissa;
    const char* typedOrdinate;
    const char* targetAbscissa;
    const char* targetOrdinate;
    bool right;
};

const JudgementRow kRows[] = {
    {"-3", "4", "-3", "4", true},   {"-5", "4", "-5", "4", true},  {"-", "54", "-5", "4", true},
    {"0", "0", "0", "0", true},     {"", "", "-3", "4", false},    {"", "", "0", "0", false},
    {"2", "04", "2", "4", false},   {"1", "4-", "1", "-4", false}, {"3", "4", "-3", "4", false},
    {"-3", "-4", "-3", "4", false}, {"4", "3", "3", "4", false},   {"-3", "4", "-3", "", false},
};

TEST(Judgement, ComparesTheJoinedTexts) {
    for (const JudgementRow& row : kRows) {
        SCOPED_TRACE(std::string(row.typedAbscissa) + "|" + row.typedOrdinate + " vs " +
                     row.targetAbscissa + "|" + row.targetOrdinate);
        const Verdict verdict = judgeAnswer(row.typedAbscissa, row.typedOrdinate,
                                            row.targetAbscissa, row.targetOrdinate);
        EXPECT_EQ(verdict.right, row.right);
        EXPECT_EQ(verdict.expectedAnswer, std::string(row.targetAbscissa) + row.targetOrdinate);
    }
}

TEST(Judgement, RightMessageIsUtf8) {
    const Verdict verdict = judgeAnswer("-5", "4", "-5", "4");
    EXPECT_EQ(verdict.message, "Esatto, \xC3\xA8 incredibile!!!");
}

TEST(Judgement, WrongMessageNamesTheTarget) {
    EXPECT_EQ(judgeAnswer("2", "4", "-3", "4").message, "Sbagliato!! ( -3;4 )");
    EXPECT_EQ(judgeAnswer("", "", "2", "-4").message, "Sbagliato!! ( 2;-4 )");
    EXPECT_EQ(judgeAnswer("0", "0", "-5", "0").message, "Sbagliato!! ( -5;0 )");
}

} // namespace

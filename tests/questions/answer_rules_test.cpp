// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/AnswerRules.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

struct KeyRow {
    const char* name;
    int code;
    bool allowed;
};

const KeyRow kKeys[] = {
    {"backspace", 8, true}, {"minus", '-', true},    {"zero", '0', true},   {"five", '5', true},
    {"nine", '9', true},    {"slash", '/', false},   {"colon", ':', false}, {"plus", '+', false},
    {"letter", 'a', false}, {"capital", 'E', false}, {"blank", ' ', false}, {"escape", 27, false},
    {"ctrl-v", 22, false},  {"tab", 9, false},       {"enter", 13, false},
};

TEST(AnswerRules, AllowedKeysPassBothBoxesOthersAreCancelled) {
    for (const KeyRow& key : kKeys) {
        SCOPED_TRACE(key.name);
        EXPECT_EQ(isAllowedAnswerKey(key.code), key.allowed);

        const KeyResult ordinate = filterOrdinateKey(key.code);
        EXPECT_EQ(ordinate.code, key.allowed ? key.code : 0);
        EXPECT_EQ(ordinate.moveOn, !key.allowed);

        if (key.code == kEnterKey) {
            continue;
        }
        const KeyResult abscissa = filterAbscissaKey(key.code);
        EXPECT_EQ(abscissa.code, key.allowed ? key.code : 0);
        EXPECT_FALSE(abscissa.moveOn);
    }
}

TEST(AnswerRules, EnterInTheAbscissaBoxMovesOnWithoutBeingCancelled) {
    const KeyResult result = filterAbscissaKey(13);
    EXPECT_EQ(result.code, 13);
    EXPECT_TRUE(result.moveOn);
}

TEST(AnswerRules, EnterInTheOrdinateBoxIsSwallowedAndFinishes) {
    const KeyResult result = filterOrdinateKey(13);
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.moveOn);
}

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

TEST(AnswerRules, ComparesTheJoinedTexts) {
    for (const JudgementRow& row : kRows) {
        SCOPED_TRACE(std::string(row.typedAbscissa) + "|" + row.typedOrdinate + " vs " +
                     row.targetAbscissa + "|" + row.targetOrdinate);
        const Verdict verdict = judgeAnswer(row.typedAbscissa, row.typedOrdinate,
                                            row.targetAbscissa, row.targetOrdinate);
        EXPECT_EQ(verdict.right, row.right);
        EXPECT_EQ(verdict.expectedAnswer,
                  QString::fromUtf8(row.targetAbscissa) + row.targetOrdinate);
    }
}

TEST(AnswerRules, RightMessageIsUtf8) {
    const Verdict verdict = judgeAnswer("-5", "4", "-5", "4");
    EXPECT_EQ(verdict.message, "Esatto, \xC3\xA8 incredibile!!!");
}

TEST(AnswerRules, WrongMessageNamesTheTarget) {
    EXPECT_EQ(judgeAnswer("2", "4", "-3", "4").message, "Sbagliato!! ( -3;4 )");
    EXPECT_EQ(judgeAnswer("", "", "2", "-4").message, "Sbagliato!! ( 2;-4 )");
    EXPECT_EQ(judgeAnswer("0", "0", "-5", "0").message, "Sbagliato!! ( -5;0 )");
}

TEST(AnswerRules, RaiseStopsAtTheLargestCount) {
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

TEST(AnswerRules, TotalSaturates) {
    struct Row {
        std::int16_t right;
        std::int16_t wrong;
        std::int16_t total;
    };
    const Row rows[] = {
        {0, 1, 1}, {100, 23, 123}, {32766, 1, 32767}, {16384, 16384, 32767}, {32767, 32767, 32767},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(totalCount(row.right, row.wrong), row.total) << row.right << "+" << row.wrong;
    }
}

} // namespace

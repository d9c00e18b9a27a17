// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/AnswerRules.h"
#include "support/QStringPrinter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

// What each box makes of a key: the code it keeps (0 cancels the key) and
// whether the answer moves on.
struct KeyRow {
    const char* name;
    int code;
    KeyResult abscissa;
    KeyResult ordinate;
};

KeyRow allowed(const char* name, int code) {
    return {name, code, {code, false}, {code, false}};
}

KeyRow refused(const char* name, int code) {
    return {name, code, {0, false}, {0, true}};
}

TEST(AnswerRules, DigitsMinusAndBackspacePassOtherKeysAreCancelledAndEnterMovesOn) {
    const KeyRow keys[] = {
        allowed("backspace", 8),
        allowed("minus", '-'),
        allowed("zero", '0'),
        allowed("five", '5'),
        allowed("nine", '9'),
        refused("slash", '/'),
        refused("colon", ':'),
        refused("plus", '+'),
        refused("letter", 'a'),
        refused("capital", 'E'),
        refused("blank", ' '),
        refused("escape", 27),
        refused("ctrl-v", 22),
        refused("tab", 9),
        // Enter goes on to the ordinate box, and finishes the answer there.
        {"enter", kEnterKey, {kEnterKey, true}, {0, true}},
    };
    for (const KeyRow& key : keys) {
        SCOPED_TRACE(key.name);
        EXPECT_EQ(isAllowedAnswerKey(key.code), key.ordinate.code != 0);
        const KeyResult abscissa = filterAbscissaKey(key.code);
        EXPECT_EQ(abscissa.code, key.abscissa.code);
        EXPECT_EQ(abscissa.moveOn, key.abscissa.moveOn);
        const KeyResult ordinate = filterOrdinateKey(key.code);
        EXPECT_EQ(ordinate.code, key.ordinate.code);
        EXPECT_EQ(ordinate.moveOn, key.ordinate.moveOn);
    }
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

TEST(AnswerRules, RightMessageIsUtf8AndWrongMessageNamesTheTarget) {
    EXPECT_EQ(judgeAnswer("-5", "4", "-5", "4").message, "Esatto, \xC3\xA8 incredibile!!!");
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

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/AnswerKeys.h"

#include <gtest/gtest.h>

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

TEST(AnswerKeys, AllowedKeysPassBothBoxesOthersAreCancelled) {
    for (const KeyRow& key : kKeys) {
        SCOPED_TRACE(key.name);
        EXPECT_EQ(isAllowedAnswerKey(key.code), key.allowed);

        const OrdinateKeyResult ordinate = filterOrdinateKey(key.code);
        EXPECT_EQ(ordinate.code, key.allowed ? key.code : 0);
        EXPECT_EQ(ordinate.finishAnswer, !key.allowed);

        if (key.code == kEnterKey) {
            continue;
        }
        const AbscissaKeyResult abscissa = filterAbscissaKey(key.code);
        EXPECT_EQ(abscissa.code, key.allowed ? key.code : 0);
        EXPECT_FALSE(abscissa.moveToOrdinate);
    }
}

TEST(AnswerKeys, EnterInTheAbscissaBoxMovesOnWithoutBeingCancelled) {
    const AbscissaKeyResult result = filterAbscissaKey(13);
    EXPECT_EQ(result.code, 13);
    EXPECT_TRUE(result.moveToOrdinate);
}

TEST(AnswerKeys, EnterInTheOrdinateBoxIsSwallowedAndFinishes) {
    const OrdinateKeyResult result = filterOrdinateKey(13);
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.finishAnswer);
}

} // namespace

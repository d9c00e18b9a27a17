// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordStore.h"
#include "records/keeper/RecordRules.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordRulesTest, ScoresArePlainDecimalsInTheCountersRange) {
    for (const char* good : {"0", "7", "32767", "-1", "-32768"}) {
        EXPECT_TRUE(RecordRules::plainScore(good)) << good;
    }
    EXPECT_EQ(RecordRules::plainScore("1234"), 1234);
    EXPECT_EQ(RecordRules::plainScore("-32768"), -32768);
    for (const char* bad : {"", "-", "00", "07", "-0", "+7", " 7", "7 ", "7\r\n", "1e3", "7.0",
                            "32768", "-32769", "123456", "٣"}) {
        EXPECT_FALSE(RecordRules::plainScore(bad)) << bad;
    }
}

TEST(RecordRulesTest, NamesStayOnePlainLineOfAtMost64CharactersThatShowWhatTheySay) {
    for (const QString& good :
         {QString(), QStringLiteral("Niccolò Çà"), QString(64, QChar(0x00E8)),
          QStringLiteral("José 😀"), QStringLiteral("عمر"), QStringLiteral(" Anna Maria ")}) {
        EXPECT_TRUE(isHolderName(good)) << good.toStdString();
    }
    for (const QString& bad :
         {QString(65, u'a'), QStringLiteral("a\nb"), QStringLiteral("a\rb"),
          QStringLiteral("a") + QChar(0), QStringLiteral("\t"), QStringLiteral("a\u007F"),
          QStringLiteral("a\u0085"), QStringLiteral("a\u2028"), QStringLiteral("a\u2029"),
          QStringLiteral("\u202Eabc"), QStringLiteral("\u2067x"), QStringLiteral("\u200F"),
          QString(QChar(0xD800)),
          // Invisible format characters and noncharacters.
          QStringLiteral("An\u200Bna"), QStringLiteral("An\u200Dna"), QStringLiteral("An\u2060na"),
          QStringLiteral("An\u00ADna"), QStringLiteral("Anna\U000E0041"),
          QStringLiteral("Anna\uFFFF"), QStringLiteral("Anna\uFDD0"),
          QStringLiteral("Anna\U0001FFFE"),
          // Nothing visible at all.
          QStringLiteral(" "), QStringLiteral("\u3000\u00A0 "), QStringLiteral("\u3164")}) {
        EXPECT_FALSE(isHolderName(bad)) << bad.toStdString();
    }
    // Bytes the keeper may be handed directly: broken or overlong UTF-8.
    for (const char* bytes :
         {"\xff", "\xc3", "\xc0\xaf", "\xe0\x80\xaf", "\xed\xa0\x80", "\xf4\x90\x80\x80"}) {
        EXPECT_FALSE(RecordRules::isHolderName(bytes)) << bytes;
    }
}

} // namespace

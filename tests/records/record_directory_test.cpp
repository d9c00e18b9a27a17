// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordStore.h"

#include <gtest/gtest.h>

namespace {

TEST(RecordDirectoryTest, EndsInExactlyOneSeparator) {
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"/var/games/trovapunti", "/var/games/trovapunti/"},
        {"/var/games/trovapunti/", "/var/games/trovapunti/"},
        {"/var/games/trovapunti//", "/var/games/trovapunti/"},
        {"/", "/"},
        {"relative", "relative/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(withTrailingSeparator(QString::fromUtf8(c.path)), QString::fromUtf8(c.expected))
            << c.path;
    }
}

TEST(RecordDirectoryTest, SystemDirIsAnAbsoluteDirectoryWithOneTrailingSeparator) {
    const QString dir = GetSystemDir();
    EXPECT_TRUE(dir.startsWith(u'/')) << dir.toStdString();
    EXPECT_TRUE(dir.endsWith(u'/')) << dir.toStdString();
    EXPECT_FALSE(dir.endsWith(QStringLiteral("//"))) << dir.toStdString();
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestFiles.h"
#include "records/RecordStore.h"

#include <QLockFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>

using namespace TestFiles;
using Status = SaveOutcome::Status;

namespace {

class RecordSaveTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(put(store.scorePath(), "5\r\n"));
        ASSERT_TRUE(put(store.namePath(), "Bea\r\n"));
    }

    void expectOldPair() const {
        EXPECT_EQ(bytesOf(store.scorePath()), "5\r\n");
        EXPECT_EQ(bytesOf(store.namePath()), "Bea\r\n");
    }

    // Lets the first `passing` commits through and fails the rest.
    void failCommitsAfter(int passing) {
        store.setCommitForTesting(
            [this, passing](QSaveFile& file) { return ++commits <= passing && file.commit(); });
    }

    QTemporaryDir temp;
    RecordStore store{temp.path()};
    int commits = 0;
};

struct SaveCase {
    std::optional<QByteArray> stored; // nullopt: no crt.txt at all
    double score;
    const char* scoreText;
    Status expected;
};

class CompareTest : public RecordSaveTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(CompareTest, SavesOnlyAStrictlyHigherScore) {
    const SaveCase& c = GetParam();
    if (c.stored) {
        ASSERT_TRUE(put(store.scorePath(), *c.stored));
    } else {
        ASSERT_TRUE(QFile::remove(store.scorePath()));
    }
    const QByteArray nameBefore = bytesOf(store.namePath());

    const SaveOutcome outcome =
        store.saveIfBeaten(c.score, QString::fromUtf8(c.scoreText), QStringLiteral("Niccolò"));

    EXPECT_EQ(outcome.status, c.expected);
    EXPECT_FALSE(outcome.error);
    if (c.expected == Status::Saved) {
        EXPECT_EQ(bytesOf(store.scorePath()), QByteArray(c.scoreText) + "\r\n");
        EXPECT_EQ(bytesOf(store.namePath()), QStringLiteral("Niccolò\r\n").toUtf8());
    } else {
        EXPECT_EQ(bytesOf(store.scorePath()), c.stored.value_or("<unreadable>"));
        EXPECT_EQ(bytesOf(store.namePath()), nameBefore);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Records, CompareTest,
    ::testing::Values(SaveCase{QByteArray(), 1, "1", Status::Saved},
                      SaveCase{QByteArray(), 0, "0", Status::NotBeaten},
                      SaveCase{std::nullopt, 1, "1", Status::Saved},
                      SaveCase{QByteArray("12\r\n"), 12, "12", Status::NotBeaten},
                      SaveCase{QByteArray("12\r\n"), 11, "11", Status::NotBeaten},
                      SaveCase{QByteArray("12\r\n"), 13, "13", Status::Saved},
                      SaveCase{QByteArray(" 1 2\r\n"), 12, "12", Status::NotBeaten},
                      SaveCase{QByteArray("nessuno\r\n"), 1, "1", Status::Saved}));

TEST_F(RecordSaveTest, SavedFilesAreSharedWhateverTheUmask) {
    const UmaskGuard umask(077);
    ASSERT_EQ(store.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Eve")).status,
              Status::Saved);
    EXPECT_EQ(modeOf(store.scorePath()), 0664);
    EXPECT_EQ(modeOf(store.namePath()), 0664);
}

TEST_F(RecordSaveTest, FailedSecondReplacementPutsTheOldScoreBack) {
    failCommitsAfter(1);

    const SaveOutcome outcome = store.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Eve"));

    EXPECT_EQ(outcome.status, Status::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->path, store.namePath());
    EXPECT_EQ(commits, 2);
    expectOldPair();
}

TEST_F(RecordSaveTest, FailedSecondReplacementRemovesAScoreFileThatWasNotThere) {
    ASSERT_TRUE(QFile::remove(store.scorePath()));
    failCommitsAfter(1);

    EXPECT_EQ(store.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Eve")).status,
              Status::Failed);
    EXPECT_FALSE(QFileInfo::exists(store.scorePath()));
    EXPECT_EQ(bytesOf(store.namePath()), "Bea\r\n");
}

TEST_F(RecordSaveTest, FailedFirstReplacementChangesNothing) {
    failCommitsAfter(0);

    const SaveOutcome outcome = store.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Eve"));

    EXPECT_EQ(outcome.status, Status::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->path, store.scorePath());
    EXPECT_EQ(commits, 1);
    expectOldPair();
}

TEST_F(RecordSaveTest, AGameStillSavingMakesTheOtherWaitThenGiveUp) {
    QLockFile other(store.lockPath());
    ASSERT_TRUE(other.tryLock());
    store.setLockTimeout(std::chrono::milliseconds(50));

    const SaveOutcome outcome = store.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Eve"));

    EXPECT_EQ(outcome.status, Status::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->reason, RecordReason::kBusy);
    expectOldPair();

    other.unlock();
    EXPECT_EQ(store.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Eve")).status,
              Status::Saved);
}

TEST_F(RecordSaveTest, MissingRecordDirectoryFailsInsteadOfReportingSaved) {
    const RecordStore gone(temp.path() + QStringLiteral("/missing"));
    const SaveOutcome outcome = gone.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Eve"));
    EXPECT_EQ(outcome.status, Status::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_FALSE(QFileInfo::exists(gone.scorePath()));
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestFiles.h"
#include "records/RecordStore.h"

#include "KeeperProcess.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <thread>

using namespace TestFiles;
using Status = SaveOutcome::Status;

namespace {

class RecordSaveTest : public StoredPairTest {
protected:
    void expectOldPair() const {
        EXPECT_EQ(bytesOf(store.scorePath()), "5\r\n");
        EXPECT_EQ(bytesOf(store.namePath()), "Bea\r\n");
    }

    // A keeper that may write files of at most `bytes` bytes, as on a full
    // disk: the write that goes past fails with EFBIG.
    RecordStore storeWithFileLimit(int bytes) {
        const QString prlimit = QStandardPaths::findExecutable(QStringLiteral("prlimit"));
        const QString wrapper = temp.path() + QStringLiteral("/limited-keeper");
        const QByteArray script = "#!/bin/sh\ntrap '' XFSZ\nexec " + prlimit.toUtf8() +
                                  " --fsize=" + QByteArray::number(bytes) + " -- " +
                                  QByteArray(RECORD_KEEPER_PATH) + " \"$@\"\n";
        EXPECT_FALSE(prlimit.isEmpty());
        EXPECT_TRUE(put(wrapper, script));
        ::chmod(QFile::encodeName(wrapper).constData(), 0755);
        return RecordStore(temp.path(), wrapper);
    }
};

struct SaveCase {
    std::optional<QByteArray> stored; // nullopt: no crt.txt at all
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
        store.saveIfBeaten(QString::fromUtf8(c.scoreText), QStringLiteral("Niccolò"));

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
    ::testing::Values(SaveCase{QByteArray(), "1", Status::Saved},
                      SaveCase{QByteArray(), "0", Status::NotBeaten},
                      SaveCase{std::nullopt, "1", Status::Saved},
                      SaveCase{QByteArray("12\r\n"), "12", Status::NotBeaten},
                      SaveCase{QByteArray("12\r\n"), "11", Status::NotBeaten},
                      SaveCase{QByteArray("12\r\n"), "13", Status::Saved},
                      SaveCase{QByteArray(" 1 2\r\n"), "12", Status::NotBeaten},
                      SaveCase{QByteArray("nessuno\r\n"), "1", Status::Saved}));

TEST_F(RecordSaveTest, SavedFilesAreSharedWhateverTheUmask) {
    const UmaskGuard umask(077);
    ASSERT_EQ(store.saveIfBeaten(QStringLiteral("6"), QStringLiteral("Eve")).status, Status::Saved);
    EXPECT_EQ(modeOf(store.scorePath()), 0660);
    EXPECT_EQ(modeOf(store.namePath()), 0660);
}

TEST_F(RecordSaveTest, AFailedWriteOfEitherFileKeepsTheOldPairAndNoDebris) {
    // "6" and CR LF fit in 3 bytes, "Evelina" and CR LF do not.
    const struct {
        int limit;
        QString failedPath;
    } cases[] = {{3, store.namePath()}, {1, store.scorePath()}};
    for (const auto& c : cases) {
        const SaveOutcome outcome = storeWithFileLimit(c.limit).saveIfBeaten(
            QStringLiteral("6"), QStringLiteral("Evelina"));
        EXPECT_EQ(outcome.status, Status::Failed);
        ASSERT_TRUE(outcome.error);
        EXPECT_EQ(outcome.error->path, c.failedPath);
        EXPECT_EQ(outcome.error->reason, RecordReason::kWriteFailed);
        expectOldPair();
        EXPECT_FALSE(QFileInfo::exists(store.scorePath() + ".new"));
        EXPECT_FALSE(QFileInfo::exists(store.namePath() + ".new"));
        EXPECT_FALSE(QFileInfo::exists(temp.path() + "/trovapunti.intent"));
    }
}

TEST_F(RecordSaveTest, AGameStillSavingMakesTheOtherWaitNotFail) {
    KeeperProcess::LockHolder other(store.directory() + QStringLiteral("trovapunti.lock"));
    ASSERT_TRUE(other.holding());
    std::thread finishLater([&other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        other.release();
    });

    const SaveOutcome outcome = store.saveIfBeaten(QStringLiteral("6"), QStringLiteral("Eve"));
    finishLater.join();
    EXPECT_EQ(outcome.status, Status::Saved);
    EXPECT_EQ(bytesOf(store.scorePath()), "6\r\n");
    EXPECT_EQ(bytesOf(store.namePath()), "Eve\r\n");
}

TEST_F(RecordSaveTest, TheKeepersAnswersBecomeTheGamesMessages) {
    const RecordStore missing(temp.path(), temp.path() + QStringLiteral("/no-keeper"));
    const SaveOutcome notStarted = missing.saveIfBeaten(QStringLiteral("6"), QStringLiteral("Eve"));
    EXPECT_EQ(notStarted.status, Status::Failed);
    ASSERT_TRUE(notStarted.error);
    EXPECT_TRUE(notStarted.error->message().contains(temp.path() + QStringLiteral("/no-keeper")))
        << notStarted.error->message().toStdString();
    ASSERT_TRUE(missing.readRecord().error);

    // Refused before any keeper runs: a name that would not stay one line,
    // or one the argument vector would cut at a NUL.
    for (const QString& name :
         {QStringLiteral("Eve\n7"), QStringLiteral("Eve") + QChar(0) + QStringLiteral("x"),
          QString(65, u'x'), QStringLiteral("\u202Eve")}) {
        const SaveOutcome refused = store.saveIfBeaten(QStringLiteral("6"), name);
        EXPECT_EQ(refused.status, Status::Failed);
        ASSERT_TRUE(refused.error);
        EXPECT_EQ(refused.error->path, store.namePath());
        EXPECT_EQ(refused.error->reason, RecordReason::kBadName);
    }
    const SaveOutcome badScore = store.saveIfBeaten(QStringLiteral("06"), QStringLiteral("Eve"));
    ASSERT_TRUE(badScore.error);
    EXPECT_EQ(badScore.error->reason, RecordReason::kBadScore);
    expectOldPair();
    EXPECT_EQ(store.saveIfBeaten(QStringLiteral("6"), QString(64, u'x')).status, Status::Saved);
}

TEST_F(RecordSaveTest, MissingRecordDirectoryFailsInsteadOfReportingSaved) {
    const RecordStore gone(temp.path() + QStringLiteral("/missing"));
    const SaveOutcome outcome = gone.saveIfBeaten(QStringLiteral("6"), QStringLiteral("Eve"));
    EXPECT_EQ(outcome.status, Status::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_FALSE(QFileInfo::exists(gone.scorePath()));
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestFiles.h"
#include "records/RecordStore.h"

#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace TestFiles;

namespace {

constexpr int kWaitMs = 60000;

std::unique_ptr<QProcess> startSaver(const QString& dir, int score, const QString& name,
                                     const QString& option) {
    auto saver = std::make_unique<QProcess>();
    saver->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args = {dir, QString::number(score), name};
    if (!option.isEmpty()) {
        args << option;
    }
    saver->start(QStringLiteral(RECORD_SAVER_PATH), args);
    return saver;
}

// Waits until the saver prints the line, or ends or times out without it.
bool waitForLine(QProcess& saver, const QByteArray& line) {
    QByteArray seen;
    while (!seen.contains(line)) {
        if (!saver.waitForReadyRead(kWaitMs)) {
            return false;
        }
        seen += saver.readAllStandardOutput();
    }
    return true;
}

class RecordSaveProcessesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        ASSERT_TRUE(put(store.scorePath(), "5\r\n"));
        ASSERT_TRUE(put(store.namePath(), "Bea\r\n"));
    }

    QTemporaryDir temp;
    RecordStore store{temp.path()};
};

TEST_F(RecordSaveProcessesTest, GamesEndingTogetherKeepTheBestScoreWithItsName) {
    const std::vector<int> scores = {3, 8, 11, 6, 2, 7, 10, 4};
    std::vector<std::unique_ptr<QProcess>> savers;
    for (const int score : scores) {
        savers.push_back(startSaver(temp.path(), score, QStringLiteral("giocatore %1").arg(score),
                                    QStringLiteral("--wait-for-go")));
    }
    for (auto& saver : savers) {
        ASSERT_TRUE(waitForLine(*saver, "waiting"));
    }
    for (auto& saver : savers) {
        saver->write("go\n");
    }

    int saved = 0;
    for (std::size_t i = 0; i < savers.size(); ++i) {
        QProcess& saver = *savers[i];
        ASSERT_TRUE(saver.waitForFinished(kWaitMs));
        ASSERT_EQ(saver.exitStatus(), QProcess::NormalExit);
        // Scores up to the stored 5 can never count as a record.
        if (scores[i] <= 5) {
            EXPECT_EQ(saver.exitCode(), 1) << "score " << scores[i];
        } else {
            EXPECT_TRUE(saver.exitCode() == 0 || saver.exitCode() == 1) << "score " << scores[i];
        }
        saved += saver.exitCode() == 0 ? 1 : 0;
    }
    EXPECT_GE(saved, 1);
    EXPECT_EQ(bytesOf(store.scorePath()), "11\r\n");
    EXPECT_EQ(bytesOf(store.namePath()), "giocatore 11\r\n");
}

TEST_F(RecordSaveProcessesTest, AGameComparesWithTheRecordSavedWhileItWaited) {
    // The first game has read the old record 5 and is about to store its 11.
    auto first = startSaver(temp.path(), 11, QStringLiteral("Bruno"),
                            QStringLiteral("--pause-before-commit"));
    ASSERT_TRUE(waitForLine(*first, "ready"));

    // The second, with 8, beats the 5 it would read now, but must wait for
    // the first and then lose to its 11.
    auto second = startSaver(temp.path(), 8, QStringLiteral("Carla"), QString());
    EXPECT_FALSE(second->waitForFinished(1000)) << "saved while another game held the record";

    first->write("go\n");
    ASSERT_TRUE(first->waitForFinished(kWaitMs));
    ASSERT_TRUE(second->waitForFinished(kWaitMs) || second->state() == QProcess::NotRunning);
    EXPECT_EQ(first->exitCode(), 0);
    EXPECT_EQ(second->exitCode(), 1);
    EXPECT_EQ(bytesOf(store.scorePath()), "11\r\n");
    EXPECT_EQ(bytesOf(store.namePath()), "Bruno\r\n");
}

TEST_F(RecordSaveProcessesTest, AGameKilledMidSaveLeavesTheOldPairAndDoesNotBlockTheNext) {
    auto saver =
        startSaver(temp.path(), 9, QStringLiteral("Eve"), QStringLiteral("--pause-before-commit"));
    ASSERT_TRUE(waitForLine(*saver, "ready"));
    saver->kill();
    ASSERT_TRUE(saver->waitForFinished(kWaitMs));
    ASSERT_EQ(saver->exitStatus(), QProcess::CrashExit);

    EXPECT_EQ(bytesOf(store.scorePath()), "5\r\n");
    EXPECT_EQ(bytesOf(store.namePath()), "Bea\r\n");
    // The dead game's lock is still on disk, yet the next game takes it over
    // well within its usual wait.
    EXPECT_TRUE(QFileInfo::exists(store.lockPath()));

    const SaveOutcome outcome = store.saveIfBeaten(6, QStringLiteral("6"), QStringLiteral("Carla"));
    EXPECT_EQ(outcome.status, SaveOutcome::Status::Saved);
    EXPECT_EQ(bytesOf(store.scorePath()), "6\r\n");
    EXPECT_EQ(bytesOf(store.namePath()), "Carla\r\n");
}

} // namespace

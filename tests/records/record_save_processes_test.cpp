// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "KeeperProcess.h"
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

using RecordSaveProcessesTest = StoredPairTest;

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
    // The first game is saving its 11 over the old record 5.
    KeeperProcess::LockHolder first(store.directory() + QStringLiteral("trovapunti.lock"));
    ASSERT_TRUE(first.holding());

    // The second, with 8, beats the 5 it would read now, but must wait for
    // the first and then lose to its 11.
    auto second = startSaver(temp.path(), 8, QStringLiteral("Carla"), QString());
    EXPECT_FALSE(second->waitForFinished(1000)) << "saved while another game held the record";

    ASSERT_TRUE(put(store.scorePath(), "11\r\n"));
    ASSERT_TRUE(put(store.namePath(), "Bruno\r\n"));
    first.release();
    ASSERT_TRUE(second->waitForFinished(kWaitMs) || second->state() == QProcess::NotRunning);
    EXPECT_EQ(second->exitCode(), 1);
    EXPECT_EQ(bytesOf(store.scorePath()), "11\r\n");
    EXPECT_EQ(bytesOf(store.namePath()), "Bruno\r\n");
}

} // namespace

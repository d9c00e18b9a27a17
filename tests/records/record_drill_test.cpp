// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Drills of the record keeper with real processes: games ending together,
// saves killed at every system call and at random moments, and a link
// swapped in and out of the record files' places while saving. Each prints
// its figures.

#include "KeeperProcess.h"
#include "TestFiles.h"
#include "records/RecordStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <limits>
#include <memory>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

using namespace TestFiles;
using KeeperProcess::Reply;

namespace {

QByteArray line(const QString& text) {
    return text.toUtf8() + "\r\n";
}

class RecordDrill : public KeeperDirectoryTest {
protected:
    void store(int score, const QString& name) const {
        ASSERT_TRUE(put(dir + "/crt.txt", line(QString::number(score))));
        ASSERT_TRUE(put(dir + "/ncrt.txt", line(name)));
    }

    std::mt19937 random{20261209};
};

TEST_F(RecordDrill, EightGamesEndingTogetherKeepTheRoundsBestWithItsName) {
    constexpr int kRounds = 100;
    constexpr int kSavers = 8;
    int saved = 0;
    int notBeaten = 0;
    int failed = 0;
    qint64 longestRoundMs = 0;

    for (int round = 0; round < kRounds; ++round) {
        const int stored = int(random() % 20);
        store(stored, QStringLiteral("record %1").arg(stored));
        std::vector<int> scores(40);
        std::iota(scores.begin(), scores.end(), 1);
        std::shuffle(scores.begin(), scores.end(), random);
        scores.resize(kSavers);
        const int best = std::max(stored, *std::max_element(scores.begin(), scores.end()));

        // All eight wait on the lock and are let go at the same moment.
        KeeperProcess::LockHolder gate(dir + "/trovapunti.lock");
        ASSERT_TRUE(gate.holding());
        std::vector<std::unique_ptr<QProcess>> savers;
        for (const int score : scores) {
            savers.push_back(std::make_unique<QProcess>());
            KeeperProcess::start(
                *savers.back(), kKeeper,
                {"save", dir, QString::number(score), QStringLiteral("giocatore %1").arg(score)});
        }
        for (auto& saver : savers) {
            ASSERT_TRUE(saver->waitForStarted());
        }
        QElapsedTimer clock;
        clock.start();
        gate.release();

        for (int i = 0; i < kSavers; ++i) {
            const Reply reply = KeeperProcess::collect(*savers[std::size_t(i)]);
            saved += reply.line == "saved" ? 1 : 0;
            notBeaten += reply.line == "not-beaten" ? 1 : 0;
            failed += reply.line != "saved" && reply.line != "not-beaten" ? 1 : 0;
            EXPECT_TRUE(reply.line == "saved" || reply.line == "not-beaten")
                << "round " << round << ": " << reply.line.data();
            if (scores[std::size_t(i)] == best) {
                EXPECT_EQ(reply.line, "saved") << "round " << round;
            }
            if (scores[std::size_t(i)] <= stored) {
                EXPECT_EQ(reply.line, "not-beaten") << "round " << round;
            }
        }
        longestRoundMs = std::max(longestRoundMs, clock.elapsed());
        const QString holder =
            best == stored ? QStringLiteral("record %1") : QStringLiteral("giocatore %1");
        ASSERT_EQ(bytesOf(dir + "/crt.txt"), line(QString::number(best))) << "round " << round;
        ASSERT_EQ(bytesOf(dir + "/ncrt.txt"), line(holder.arg(best))) << "round " << round;
    }
    std::cout << "[drill] " << kSavers << " savers x " << kRounds << " rounds: " << saved
              << " saved, " << notBeaten << " not beaten, " << failed
              << " failed; every round kept its best with its name; slowest round "
              << longestRoundMs << " ms\n";
    EXPECT_EQ(saved + notBeaten, kSavers * kRounds);
}

// The pair as the files hold it, and the directory's entries beyond it.
struct Disk {
    QByteArray score;
    QByteArray name;
    QStringList debris;
};

Disk diskOf(const QString& dir) {
    Disk disk{bytesOf(dir + "/crt.txt"), bytesOf(dir + "/ncrt.txt"), entries(dir)};
    for (const char* kept : {"crt.txt", "ncrt.txt", "trovapunti.lock"}) {
        disk.debris.removeAll(QString::fromLatin1(kept));
    }
    return disk;
}

TEST_F(RecordDrill, ASaveKilledAnywhereLeavesTheOldPairOrTheNewOneForAnyNextPlayer) {
    // As root, the killed game is root's and the next player is an account
    // of the directory's group only, so debris of another owner is tested.
    const bool otherAccount = KeeperProcess::canRunAs();
    gid_t group = 0;
    uid_t other = 0;
    if (otherAccount) {
        group = unusedId(true, 47100);
        other = unusedId(false, 47100);
        ASSERT_EQ(::chmod(QFile::encodeName(temp.path()).constData(), 0755), 0);
        ASSERT_EQ(::chown(QFile::encodeName(dir).constData(), 0, group), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 02770), 0);
        for (const char* name : {"crt.txt", "ncrt.txt", "trovapunti.lock"}) {
            ASSERT_EQ(::chown(QFile::encodeName(dir + '/' + name).constData(), 0, group), 0);
        }
    }
    const auto asNextPlayer = [&](const QStringList& arguments) {
        return otherAccount ? KeeperProcess::runAs(other, group, kKeeper, arguments)
                            : KeeperProcess::run(kKeeper, arguments);
    };
    const auto killedSave = [&](int score, const QString& stopAt, int killAfterUs) {
        return KeeperProcess::runKilled(
            kDrillKeeper,
            {"save", dir, QString::number(score), QStringLiteral("giocatore %1").arg(score)},
            stopAt, killAfterUs);
    };

    // How many system calls a clean save makes, and how long it takes.
    int steps = 0;
    for (;; ++steps) {
        ASSERT_EQ(KeeperProcess::run(kKeeper, {"create", dir}).line, "ok");
        store(0, QStringLiteral("giocatore 0"));
        if (killedSave(1, QString::number(steps + 1), -1).finished) {
            break;
        }
    }
    ASSERT_GT(steps, 10);
    // The quickest of a few clean saves bounds the random moments.
    qint64 quickestNs = std::numeric_limits<qint64>::max();
    for (int i = 2; i < 7; ++i) {
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(killedSave(i, QString(), -1).line, "saved");
        quickestNs = std::min(quickestNs, clock.nsecsElapsed());
    }
    const int saveUs = std::max(2, int(quickestNs / 1000));
    store(50, QStringLiteral("giocatore 50"));

    constexpr int kRounds = 300;
    int score = 50;
    int oldKept = 0;
    int newKept = 0;
    int endedBeforeKill = 0;
    int debrisSeen = 0;
    for (int round = 0; round < kRounds; ++round) {
        const QByteArray oldScore = line(QString::number(score));
        const QByteArray oldName = line(QStringLiteral("giocatore %1").arg(score));
        const QByteArray newScore = line(QString::number(score + 1));
        const QByteArray newName = line(QStringLiteral("giocatore %1").arg(score + 1));

        const bool atStep = round < kRounds / 2;
        const Reply killed =
            atStep ? killedSave(score + 1, QString::number(1 + round % steps), -1)
                   : killedSave(score + 1, QString(), int(random() % unsigned(saveUs / 2)));
        if (killed.finished) {
            ++endedBeforeKill;
            EXPECT_FALSE(atStep) << "step " << 1 + round % steps << " was not reached";
        }
        debrisSeen += diskOf(dir).debris.isEmpty() ? 0 : 1;

        // The next game's start: it reads without any privilege, then its
        // keeper finishes or discards what the killed one left.
        const RecordPair seen = RecordStore(dir, kKeeper).readRecord();
        ASSERT_EQ(asNextPlayer({"create", dir}).line, "ok") << "round " << round;
        const Disk after = diskOf(dir);
        const bool isOld = after.score == oldScore && after.name == oldName;
        const bool isNew = after.score == newScore && after.name == newName;
        ASSERT_TRUE(isOld || isNew) << "round " << round << ": mixed pair " << after.score.data()
                                    << " / " << after.name.data();
        EXPECT_TRUE(after.debris.isEmpty()) << after.debris.join(' ').toStdString();
        EXPECT_EQ(seen.score.toUtf8(), after.score) << "round " << round;
        EXPECT_EQ(seen.holder.toUtf8(), after.name) << "round " << round;
        (isNew ? newKept : oldKept) += 1;
        score += isNew ? 1 : 0;

        // And the next player's own record is saved, whoever left the debris.
        ASSERT_EQ(asNextPlayer({"save", dir, QString::number(score + 1),
                                QStringLiteral("giocatore %1").arg(score + 1)})
                      .line,
                  "saved")
            << "round " << round;
        ++score;
        EXPECT_TRUE(diskOf(dir).debris.isEmpty());
    }
    std::cout << "[drill] " << kRounds << " saves killed (" << kRounds / 2 << " at each of "
              << steps << " system calls in turn, " << kRounds / 2 << " at random moments within "
              << saveUs / 2 << " us, " << endedBeforeKill << " of them done first): " << oldKept
              << " kept the old pair, " << newKept << " the new pair, 0 mixed; debris after "
              << debrisSeen << " kills, all cleared by the next start; next save by "
              << (otherAccount ? "another account" : "the same account") << " always saved\n";
}

TEST_F(RecordDrill, ALinkSwappedInAndOutWhileSavingIsNeverWrittenThrough) {
    const QString victim = temp.path() + QStringLiteral("/private.txt");
    const QString absent = temp.path() + QStringLiteral("/absent.txt");
    ASSERT_TRUE(put(victim, "privato\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(victim).constData(), 0600), 0);
    struct stat before = {};
    ASSERT_EQ(::stat(QFile::encodeName(victim).constData(), &before), 0);
    store(0, QStringLiteral("nessuno"));

    std::atomic<bool> stop{false};
    std::atomic<long> swaps{0};
    std::thread swapper([&] {
        const QByteArray dirName = QFile::encodeName(dir);
        const QByteArray targets[] = {"crt.txt", "ncrt.txt", "crt.txt.new", "ncrt.txt.new"};
        const QByteArray links[] = {QFile::encodeName(victim), QFile::encodeName(absent)};
        const int dirFd = ::open(dirName.constData(), O_RDONLY | O_DIRECTORY);
        for (long i = 0; !stop; ++i) {
            const QByteArray& target = targets[i % 4];
            ::unlinkat(dirFd, ".swap", 0);
            ::symlinkat(links[(i / 4) % 2].constData(), dirFd, ".swap");
            ::renameat(dirFd, ".swap", dirFd, target.constData()); // in
            std::this_thread::yield();
            const int fd = ::openat(dirFd, ".swap", O_WRONLY | O_CREAT | O_EXCL, 0664);
            if (fd >= 0) {
                ::close(fd);
                if (i % 4 < 2) {
                    ::renameat(dirFd, ".swap", dirFd, target.constData()); // out
                } else {
                    ::unlinkat(dirFd, target.constData(), 0);
                }
            }
            ++swaps;
        }
        ::unlinkat(dirFd, ".swap", 0);
        ::close(dirFd);
    });

    constexpr int kSaves = 1500;
    int saved = 0;
    int refused = 0;
    int other = 0;
    for (int i = 1; i <= kSaves; ++i) {
        const Reply reply = KeeperProcess::run(
            kKeeper, {"save", dir, QString::number(i), QStringLiteral("giocatore %1").arg(i)});
        EXPECT_TRUE(reply.finished);
        if (reply.line == "saved") {
            ++saved;
        } else if (reply.line.endsWith(" not-regular")) {
            ++refused;
        } else {
            ++other;
            EXPECT_TRUE(reply.line == "not-beaten" || reply.line.startsWith("error "))
                << reply.line.data();
        }
    }
    stop = true;
    swapper.join();

    struct stat after = {};
    ASSERT_EQ(::stat(QFile::encodeName(victim).constData(), &after), 0);
    EXPECT_EQ(bytesOf(victim), "privato\n");
    EXPECT_EQ(after.st_mode, before.st_mode);
    EXPECT_EQ(after.st_size, before.st_size);
    EXPECT_EQ(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    EXPECT_EQ(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    EXPECT_FALSE(QFileInfo::exists(absent)) << "a file was created through a dangling link";
    std::cout << "[drill] " << kSaves << " saves against " << swaps.load()
              << " link swaps: " << saved << " saved, " << refused
              << " refused a link or odd file, " << other
              << " other answers; nothing written through a link\n";

    // Once the links are gone the record works as before.
    for (const char* name : {"crt.txt", "ncrt.txt"}) {
        if (isSymLink(dir + '/' + name)) {
            ASSERT_TRUE(QFile::remove(dir + '/' + name));
        }
    }
    EXPECT_EQ(KeeperProcess::run(kKeeper, {"create", dir}).line, "ok");
    EXPECT_EQ(KeeperProcess::run(kKeeper, {"save", dir, "32767", "Eve"}).line, "saved");
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Drills of the results log with real processes: games ending together,
// appends killed at every system call and at random moments, a full disk,
// and pupils trying to read or change the log. Each prints its figures.

#include "KeeperProcess.h"
#include "TestFiles.h"
#include "records/keeper/ResultsLog.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <memory>
#include <random>
#include <thread>
#include <vector>

using namespace TestFiles;
using KeeperProcess::Reply;

namespace {

// A log holds its header and whole game lines, nothing else; returns the
// names of its games in order, or fails the test. No log holds no games.
QStringList gamesIn(const QString& log) {
    const QByteArray bytes = QFileInfo::exists(log) ? bytesOf(log) : QByteArray();
    static const QRegularExpression gameLine(QStringLiteral(
        R"re(^\d{4}-\d\d-\d\d;\d\d:\d\d:\d\d;"[^;"]*";"[^;"]*";"'?([^;"]*)";(\d+);(\d+);(\d+);"(sì|no)"$)re"));
    QStringList names;
    if (bytes.isEmpty()) {
        return names;
    }
    EXPECT_TRUE(bytes.startsWith(QByteArray(ResultsLog::kHeader)));
    EXPECT_TRUE(bytes.endsWith("\r\n")) << "a cut line at the end";
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const auto match = gameLine.match(lines[i]);
        EXPECT_TRUE(match.hasMatch()) << "line " << i << ": " << lines[i].toStdString();
        names << match.captured(1);
    }
    return names;
}

class ResultsLogDrill : public KeeperDirectoryTest {
protected:
    QStringList logArguments(const QString& name) const {
        return {"log", dir, "7", "2", "no", name};
    }

    std::mt19937 random{20261209};
};

TEST_F(ResultsLogDrill, EightGamesEndingTogetherLeaveEightWholeLines) {
    constexpr int kRounds = 40;
    constexpr int kGames = 8;
    qint64 slowestRoundMs = 0;
    QStringList expected;
    for (int round = 0; round < kRounds; ++round) {
        KeeperProcess::LockHolder gate(dir + "/trovapunti.lock");
        ASSERT_TRUE(gate.holding());
        std::vector<std::unique_ptr<QProcess>> games;
        for (int i = 0; i < kGames; ++i) {
            const QString name = QStringLiteral("giocatore %1-%2").arg(round).arg(i);
            expected << name;
            games.push_back(std::make_unique<QProcess>());
            KeeperProcess::start(*games.back(), kKeeper, logArguments(name));
        }
        for (auto& game : games) {
            ASSERT_TRUE(game->waitForStarted());
        }
        QElapsedTimer clock;
        clock.start();
        gate.release();
        for (auto& game : games) {
            EXPECT_EQ(KeeperProcess::collect(*game).line, "logged") << "round " << round;
        }
        slowestRoundMs = std::max(slowestRoundMs, clock.elapsed());
    }
    QStringList names = gamesIn(log);
    EXPECT_EQ(names.size(), kRounds * kGames);
    EXPECT_EQ(QSet<QString>(names.begin(), names.end()).size(), kRounds * kGames);
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
    std::cout << "[drill] " << kGames << " games ending together x " << kRounds
              << " rounds: " << names.size()
              << " whole lines, none doubled or mixed; slowest round " << slowestRoundMs << " ms\n";
}

TEST_F(ResultsLogDrill, AnAppendKilledAnywhereLeavesWholeLinesAndTheNextGameItsLine) {
    const auto killedLog = [&](const QString& name, const QString& stopAt, int killAfterUs) {
        return KeeperProcess::runKilled(kDrillKeeper, logArguments(name), stopAt, killAfterUs);
    };

    // How many system calls the first line of a log takes (the most: it
    // creates the log), and how long a later one takes.
    int steps = 0;
    while (!killedLog(QStringLiteral("prova"), QString::number(steps + 1), -1).finished) {
        ASSERT_TRUE(QFile::remove(log) || !QFileInfo::exists(log));
        ++steps;
    }
    ASSERT_GT(steps, 5);
    qint64 quickestNs = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer clock;
        clock.start();
        ASSERT_EQ(killedLog(QStringLiteral("prova"), QString(), -1).line, "logged");
        quickestNs = std::min(quickestNs, clock.nsecsElapsed());
    }
    const int appendUs = std::max(2, int(quickestNs / 1000));

    constexpr int kRounds = 200;
    int kept = 0;
    int lost = 0;
    int endedFirst = 0;
    for (int round = 0; round < kRounds; ++round) {
        // Every other round starts from a new log, so its creation is killed too.
        if (round % 2 == 0 && round < kRounds / 2) {
            QFile::remove(log);
        }
        const int before = int(gamesIn(log).size());
        const QString name = QStringLiteral("ucciso %1").arg(round);
        const bool atStep = round < kRounds / 2;
        const Reply killed = atStep
                                 ? killedLog(name, QString::number(1 + round % steps), -1)
                                 : killedLog(name, QString(), int(random() % unsigned(appendUs)));
        endedFirst += killed.finished ? 1 : 0;
        EXPECT_FALSE(atStep && killed.finished) << "step " << 1 + round % steps << " not reached";

        const QStringList after = gamesIn(log);
        ASSERT_FALSE(HasFailure()) << "round " << round;
        const bool isKept = after.size() == before + 1 && after.last() == name;
        ASSERT_TRUE(isKept || after.size() == before) << "round " << round;
        (isKept ? kept : lost) += 1;

        const QString next = QStringLiteral("dopo %1").arg(round);
        ASSERT_EQ(KeeperProcess::run(kKeeper, logArguments(next)).line, "logged");
        const QStringList then = gamesIn(log);
        ASSERT_EQ(then.size(), after.size() + 1) << "round " << round;
        ASSERT_EQ(then.last(), next);
    }
    std::cout << "[drill] " << kRounds << " appends killed (" << kRounds / 2 << " at each of "
              << steps << " system calls in turn, " << kRounds / 2 << " at random moments within "
              << appendUs << " us, " << endedFirst << " of them done first): " << kept
              << " left their whole line, " << lost
              << " none, 0 a part; the next game's line always followed whole\n";
}

bool runs(const QString& program, const QStringList& arguments) {
    const Reply reply = KeeperProcess::run(program, arguments);
    return reply.finished && reply.exitCode == 0;
}

TEST(ResultsLogFullDisk, AFullDiskLeavesNoPartOfALineAndSaysWhy) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to mount a small file system";
    }
    QTemporaryDir mountPoint;
    ASSERT_TRUE(mountPoint.isValid());
    const QString disk = mountPoint.path();
    if (!runs(QStringLiteral("mount"),
              {"-t", "tmpfs", "-o", "size=64k,mode=0755", "tmpfs", disk})) {
        GTEST_SKIP() << "cannot mount a tmpfs here";
    }
    struct Unmount {
        QString path;
        ~Unmount() { runs(QStringLiteral("umount"), {path}); }
    } unmount{disk};

    const QString dir = disk + QStringLiteral("/records");
    ASSERT_EQ(KeeperProcess::run(kKeeper, {"create", dir}).line, "ok");
    const QString log = dir + QStringLiteral("/risultati.csv");
    // Fill the disk but for a few bytes of the log's own last page.
    ASSERT_EQ(KeeperProcess::run(kKeeper, {"log", dir, "1", "0", "no", "primo"}).line, "logged");
    {
        QFile filler(disk + QStringLiteral("/filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        const QByteArray block(1024, 'x');
        while (filler.write(block) == block.size() && filler.flush()) {
        }
    }

    int logged = 1;
    int refused = 0;
    QByteArray why;
    for (int i = 0; i < 200 && refused < 5; ++i) {
        QProcess game;
        KeeperProcess::start(game, kKeeper,
                             {"log", dir, "3", "4", "no", QStringLiteral("Zoë %1").arg(i)});
        const Reply reply = KeeperProcess::collect(game);
        if (reply.line == "logged") {
            ++logged;
        } else {
            EXPECT_EQ(reply.line, QByteArray("error risultati.csv ") + QByteArray::number(ENOSPC));
            EXPECT_EQ(reply.exitCode, 2);
            why = game.readAllStandardError();
            ++refused;
        }
        ASSERT_EQ(gamesIn(log).size(), logged) << "append " << i;
    }
    EXPECT_EQ(refused, 5) << "the disk never filled";
    EXPECT_TRUE(why.contains("risultati.csv was not written: error risultati.csv 28"))
        << why.toStdString();
    const qint64 fullSize = QFileInfo(log).size();

    ASSERT_TRUE(QFile::remove(disk + QStringLiteral("/filler")));
    EXPECT_EQ(KeeperProcess::run(kKeeper, {"log", dir, "5", "0", "yes", "dopo"}).line, "logged");
    const QStringList games = gamesIn(log);
    EXPECT_EQ(games.size(), logged + 1);
    std::cout << "[drill] full disk: " << logged << " lines fitted (" << fullSize
              << " bytes), then " << refused
              << " appends refused with ENOSPC and no partial line; after freeing space the next "
                 "line went in whole\n";
}

// The keeper built for this test keeps its privilege for PRIVATE_LOG_DIR,
// as the installed one does for the machine's record directory.
TEST(ResultsLogPrivacy, APupilCanNeitherReadNorChangeTheLogButTheTeachersCan) {
    const gid_t games = unusedId(true, 47200);
    const gid_t pupils = unusedId(true, games + 1);
    const uid_t anna = unusedId(false, 47200);
    const uid_t bruno = unusedId(false, anna + 1);
    const uid_t teacher = unusedId(false, bruno + 1);
    const SetGroupIdKeeper privileged(QStringLiteral(PRIVATE_LOG_KEEPER_PATH), games);
    if (privileged.whyNot != nullptr) {
        GTEST_SKIP() << privileged.whyNot;
    }
    const QString& keeper = privileged.path;

    // The record directory as it is set up: root:games 2770.
    const QString dir = QStringLiteral(PRIVATE_LOG_DIR);
    QDir(dir).removeRecursively();
    ASSERT_TRUE(QDir().mkpath(dir));
    ASSERT_EQ(::chown(QFile::encodeName(dir).constData(), 0, games), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 02770), 0);
    ASSERT_EQ(KeeperProcess::run(keeper, {"create", dir}).line, "ok");
    const QString log = dir + QStringLiteral("/risultati.csv");

    using KeeperProcess::runAs;
    EXPECT_EQ(runAs(anna, pupils, keeper, {"log", dir, "9", "1", "yes", "Anna"}).line, "logged");
    EXPECT_EQ(runAs(bruno, pupils, keeper, {"log", dir, "4", "6", "no", "Bruno"}).line, "logged");
    const QByteArray written = bytesOf(log);
    const QStringList lines = QString::fromUtf8(written).split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4) << written.toStdString();
    // Each line names the account that played, whatever name was typed.
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(";\"'%1\";\"Anna\";9;1;10;\"sì\"").arg(anna)))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(";\"'%1\";\"Bruno\";4;6;10;\"no\"").arg(bruno)))
        << lines[2].toStdString();
    EXPECT_EQ(QFileInfo(log).groupId(), games);
    EXPECT_EQ(modeOf(log), 0660);

    // Anna, whose game made the log, and Bruno: neither reads, rewrites,
    // truncates nor removes it (the keeper itself only ever appends).
    const QString shell = QStringLiteral("/bin/sh");
    int refusals = 0;
    for (const uid_t pupil : {anna, bruno}) {
        for (const QString& attempt :
             {QStringLiteral("cat \"$0\""), QStringLiteral("echo falso >> \"$0\""),
              QStringLiteral(": > \"$0\""), QStringLiteral("rm -f \"$0\""),
              QStringLiteral("chmod 0666 \"$0\""), QStringLiteral("ls \"${0%/*}\"")}) {
            const Reply reply = runAs(pupil, pupils, shell, {"-c", attempt + " 2>/dev/null", log});
            EXPECT_NE(reply.exitCode, 0) << attempt.toStdString();
            EXPECT_TRUE(reply.line.isEmpty()) << attempt.toStdString();
            refusals += reply.exitCode != 0 ? 1 : 0;
        }
    }
    EXPECT_EQ(bytesOf(log), written);

    // Neither can one account flood the log (and push the class's lines out
    // of it by rotation) or claim a game no game could have: within ten
    // minutes of its line, and past 900 answers, the keeper refuses.
    int flood = 0;
    QElapsedTimer timer;
    timer.start();
    while (flood == 0 || timer.elapsed() < 2000) {
        EXPECT_EQ(runAs(anna, pupils, keeper, {"log", dir, "1", "0", "no", "Anna"}).line,
                  "refused too-often");
        ++flood;
    }
    EXPECT_EQ(runAs(teacher, pupils, keeper, {"log", dir, "999", "0", "yes", "Chiara"}).line,
              "refused counts");
    EXPECT_EQ(runAs(teacher, pupils, keeper, {"log", dir, "32767", "32767", "yes", "x"}).line,
              "refused counts");
    EXPECT_EQ(bytesOf(log), written);

    // A teacher in the group reads it, as root does.
    const Reply read = runAs(teacher, games, QStringLiteral("/bin/cat"), {log});
    EXPECT_EQ(read.exitCode, 0);
    EXPECT_EQ(read.line, written.trimmed());
    std::cout << "[drill] one pupil's " << flood << " further lines in 2 s: all refused\n";
    std::cout << "[drill] two pupils, " << refusals
              << " attempts to read, append, truncate, remove, open up or list: all refused; "
                 "a teacher of the group read both lines\n";
    QDir(dir).removeRecursively();
}

} // namespace

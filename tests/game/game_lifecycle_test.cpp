// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Whole games from the name box to the record, with scripted boxes, scripted
// draws and the clock driven tick by tick.

#include "support/GameFixture.h"
#include "window/AnswerBox.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"

#include <QFile>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray readBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return "<missing>";
    }
    return file.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Enough draws for a handful of questions, all lighting (1, 4).
std::vector<double> questionsAtOneFour() {
    return {0.7, 0.75, 0.3, 0.75, 0.7, 0.75, 0.3, 0.75, 0.7, 0.75, 0.3, 0.75};
}

void startGame(GameFixture& game, const QString& name) {
    game.platform.names.push_back(name);
    game.lifecycle().Form_Load();
    ASSERT_TRUE(game.showActive());
}

void answerRight(GameFixture& game) {
    game.answer(QStringLiteral("1"), QStringLiteral("4"));
}

void runOutTheClock(GameFixture& game) {
    for (int tick = 0; tick < 901 && game.platform.exitStatuses.empty(); ++tick) {
        game.clock().Timer1_Timer();
    }
}

class GameLifecycleTest : public ::testing::Test {
protected:
    GameFixture game{questionsAtOneFour()};
    Tavola& tavola = *game.tavola;

    void prepareStoredRecord(const QByteArray& score, const QByteArray& name) {
        ASSERT_TRUE(QDir().mkpath(game.recordFile(QString())));
        writeBytes(game.recordFile("crt.txt"), score);
        writeBytes(game.recordFile("ncrt.txt"), name);
    }

    QStringList messageTexts() const {
        QStringList texts;
        for (const auto& box : game.platform.messages) {
            texts << box.text;
        }
        return texts;
    }
};

TEST_F(GameLifecycleTest, StartAsksTheNameGreetsAndArmsTheClock) {
    startGame(game, QStringLiteral("Anna"));
    ASSERT_EQ(game.platform.inputs.size(), 1u);
    EXPECT_EQ(game.platform.inputs[0].text, QStringLiteral("Come ti chiami?"));
    EXPECT_EQ(game.platform.inputs[0].title, QStringLiteral("Trovapunti"));
    ASSERT_EQ(game.platform.messages.size(), 1u);
    EXPECT_EQ(game.platform.messages[0].text,
              QStringLiteral(" Anna vediamo se sei un vero campione  "));
    EXPECT_EQ(tavola.lblnome1->caption(), QStringLiteral("Anna"));
    EXPECT_EQ(tavola.lblconto->caption(), QStringLiteral("00:15:00"));
    EXPECT_EQ(game.clock().clock.secondsLeft, 900);
    EXPECT_TRUE(tavola.Timer1->isActive());
    EXPECT_EQ(tavola.Timer1->timerType(), Qt::PreciseTimer);
    // First run on the machine: two empty files, empty record labels.
    EXPECT_EQ(readBytes(game.recordFile("crt.txt")), QByteArray());
    EXPECT_EQ(readBytes(game.recordFile("ncrt.txt")), QByteArray());
    EXPECT_TRUE(tavola.lblpunti->caption().isEmpty());
    EXPECT_TRUE(tavola.lblnome->caption().isEmpty());
    // The first question is on the board, the counters at zero.
    EXPECT_EQ(tavola.Text2, QStringLiteral("1"));
    EXPECT_EQ(tavola.correctCount, 0);
    EXPECT_EQ(tavola.wrongCount, 0);
    EXPECT_EQ(QApplication::focusWidget(), tavola.Text4);
}

TEST_F(GameLifecycleTest, CancelledNameGivesAnEmptyName) {
    game.lifecycle().Form_Load();
    ASSERT_EQ(game.platform.messages.size(), 1u);
    EXPECT_EQ(game.platform.messages[0].text,
              QStringLiteral("  vediamo se sei un vero campione  "));
    EXPECT_TRUE(tavola.lblnome1->caption().isEmpty());
}

TEST_F(GameLifecycleTest, StoredRecordIsShownAsItIs) {
    prepareStoredRecord("7\r\n", "Giulia\r\n");
    startGame(game, QStringLiteral("Anna"));
    EXPECT_EQ(tavola.lblpunti->caption(), QStringLiteral("7\r\n"));
    EXPECT_EQ(tavola.lblnome->caption(), QStringLiteral("Giulia\r\n"));
    EXPECT_EQ(tavola.lblnome->text(), QStringLiteral("Giulia"));
}

TEST_F(GameLifecycleTest, TheFirstQuestionIsPreparedOnlyOnce) {
    startGame(game, QStringLiteral("Anna"));
    tavola.hide();
    tavola.show();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    tavola.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tavola));
    EXPECT_EQ(game.platform.drawCount(), 4u);
}

TEST_F(GameLifecycleTest, ClockRunsDownAndTheTickAfterZeroEndsTheGame) {
    startGame(game, QStringLiteral("Anna"));
    game.clock().Timer1_Timer();
    EXPECT_EQ(tavola.lblconto->caption(), QStringLiteral("00:14:59"));
    for (int tick = 2; tick <= 900; ++tick) {
        game.clock().Timer1_Timer();
    }
    EXPECT_EQ(tavola.lblconto->caption(), QStringLiteral("00:00:00"));
    EXPECT_TRUE(game.platform.exitStatuses.empty());
    game.clock().Timer1_Timer();
    EXPECT_EQ(game.platform.exitStatuses, std::vector<int>{0});
    EXPECT_FALSE(tavola.Timer1->isActive());
    ASSERT_EQ(game.platform.messages.size(), 2u);
    EXPECT_EQ(game.platform.messages[1].text, QStringLiteral("Ciao a presto. Ore 0"));
    EXPECT_EQ(game.platform.messages[1].title, QStringLiteral("Data 09/12/26"));
}

TEST_F(GameLifecycleTest, TheEndRunsOnceEvenWhenTicksArriveWhileItsBoxIsOpen) {
    startGame(game, QStringLiteral("Anna"));
    answerRight(game);
    int ticksWhileOpen = 0;
    game.platform.whileMessageOpen = [&] {
        ++ticksWhileOpen;
        game.clock().Timer1_Timer();
        QTest::qWait(5);
    };
    runOutTheClock(game);
    EXPECT_EQ(game.platform.exitStatuses, std::vector<int>{0});
    EXPECT_EQ(messageTexts().count(QStringLiteral("Ciao a presto. Ore 0")), 1);
    EXPECT_EQ(
        messageTexts().count(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"")),
        1);
    EXPECT_GT(ticksWhileOpen, 0);
    // The farewell shows its text alone; a screen reader also speaks the score.
    for (const ScriptedPlatform::Box& box : game.platform.messages) {
        if (box.text == QStringLiteral("Ciao a presto. Ore 0")) {
            EXPECT_EQ(
                box.description,
                QStringLiteral("Ciao a presto. Ore 0. Risposte esatte: 1. Risposte errate: 0. "
                               "Risposte totali: 1."));
        } else {
            EXPECT_TRUE(box.description.isEmpty()) << box.text.toStdString();
        }
    }
}

TEST(GameRecord, OnlyAHigherScoreReplacesTheStoredRecordAndItsName) {
    struct Case {
        QByteArray storedScore;
        QByteArray storedName;
        int score;
        QString player;
        QByteArray savedScore;
        QByteArray savedName;
    };
    const Case cases[] = {
        {"", "", 0, QStringLiteral("Anna"), "", ""},
        {"", "", 1, QStringLiteral("Niccolò"), "1\r\n", QStringLiteral("Niccolò\r\n").toUtf8()},
        {"1\r\n", "Giulia\r\n", 1, QStringLiteral("Anna"), "1\r\n", "Giulia\r\n"},
        // The stored line end does not change the number it holds.
        {"12\r\n", "Giulia\r\n", 12, QStringLiteral("Anna"), "12\r\n", "Giulia\r\n"},
        {"12\r\n", "Giulia\r\n", 13, QStringLiteral("Bruno"), "13\r\n", "Bruno\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.storedScore.toStdString() << " against " << c.score);
        GameFixture game{questionsAtOneFour()};
        if (!c.storedScore.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(game.recordFile(QString())));
            writeBytes(game.recordFile("crt.txt"), c.storedScore);
            writeBytes(game.recordFile("ncrt.txt"), c.storedName);
        }
        startGame(game, c.player);
        if (c.score > 0) {
            game.tavola->correctCount = std::int16_t(c.score - 1);
            answerRight(game);
            ASSERT_EQ(game.tavola->lblScore->caption(), QString::number(c.score));
        }
        runOutTheClock(game);
        EXPECT_EQ(readBytes(game.recordFile("crt.txt")), c.savedScore);
        EXPECT_EQ(readBytes(game.recordFile("ncrt.txt")), c.savedName);
        EXPECT_EQ(game.platform.exitStatuses, std::vector<int>{0});
        // Greeting and farewell, then the record box only when one was saved.
        const bool saved = c.savedScore != c.storedScore;
        ASSERT_EQ(game.platform.messages.size(), saved ? 3u : 2u);
        EXPECT_EQ(game.platform.messages.back().text,
                  saved ? QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\"")
                        : QStringLiteral("Ciao a presto. Ore 0"));
        EXPECT_EQ(game.platform.messages.back().title,
                  saved ? QStringLiteral("Trovapunti") : QStringLiteral("Data 09/12/26"));
    }
}

TEST_F(GameLifecycleTest, ClosingTheWindowEarlySavesNothing) {
    startGame(game, QStringLiteral("Anna"));
    answerRight(game);
    tavola.close();
    EXPECT_TRUE(game.platform.exitStatuses.empty());
    EXPECT_EQ(readBytes(game.recordFile("crt.txt")), QByteArray());
}

TEST_F(GameLifecycleTest, AnUnusableRecordDirectoryIsReportedOnceAndTheGamePlaysOn) {
    // A regular file stands where the directory should be.
    QFile blocker(QDir(game.recordRoot.path()).filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString directory = blocker.fileName() + QStringLiteral("/records/");
    GameFixture blocked{std::vector<double>(12, 0.75), directory};
    blocked.platform.names.push_back(QStringLiteral("Anna"));
    // The pupil may take a while to read the boxes: the clock must not run
    // while one is open.
    int boxesOpenWithTheClockRunning = 0;
    blocked.platform.whileMessageOpen = [&] {
        boxesOpenWithTheClockRunning += blocked.tavola->Timer1->isActive() ? 1 : 0;
    };
    blocked.lifecycle().Form_Load();
    blocked.platform.whileMessageOpen = nullptr;
    ASSERT_TRUE(blocked.showActive());

    EXPECT_EQ(boxesOpenWithTheClockRunning, 0);
    ASSERT_EQ(blocked.platform.messages.size(), 2u);
    EXPECT_TRUE(blocked.platform.messages[1].text.contains(blocker.fileName()))
        << blocked.platform.messages[1].text.toStdString();
    EXPECT_TRUE(blocked.tavola->Timer1->isActive());
    EXPECT_EQ(blocked.tavola->lblconto->caption(), QStringLiteral("00:15:00"));
    EXPECT_EQ(blocked.clock().clock.secondsLeft, 900);
    EXPECT_FALSE(blocked.tavola->Text2.isEmpty());

    // At the end a beaten record that cannot be saved says so.
    blocked.tavola->correctCount = 4;
    blocked.tavola->lblScore->setCaption(QStringLiteral("4"));
    for (int tick = 0; tick < 901; ++tick) {
        blocked.clock().Timer1_Timer();
    }
    ASSERT_EQ(blocked.platform.messages.size(), 4u);
    EXPECT_EQ(blocked.platform.messages[2].text, QStringLiteral("Ciao a presto. Ore 0"));
    const QString last = blocked.platform.messages.back().text;
    EXPECT_TRUE(last.contains(QStringLiteral("non è stato salvato"))) << last.toStdString();
    EXPECT_FALSE(last.contains(QStringLiteral("Ok ho registrato")));
    EXPECT_EQ(blocked.platform.exitStatuses, std::vector<int>{0});
}

TEST_F(GameLifecycleTest, OnlyAGameEndedWithAnswersLeavesTheTeachersALine) {
    const QString log = game.recordFile(QStringLiteral("risultati.csv"));
    startGame(game, QStringLiteral("Zoë"));
    answerRight(game);
    tavola.close();

    const auto play = [&](const QString& name, int wrong) {
        GameFixture next{std::vector<double>{0.7, 0.75, 0.3, 0.75}, game.recordFile(QString())};
        startGame(next, name);
        if (wrong > 0) {
            answerRight(next);
            next.tavola->wrongCount = std::int16_t(wrong);
        }
        runOutTheClock(next);
        // The end went on as before: farewell, record box, termination.
        EXPECT_EQ(next.platform.messages.size(), wrong > 0 ? 3u : 2u);
        EXPECT_EQ(next.platform.exitStatuses, std::vector<int>{0});
    };
    play(QStringLiteral("Nessuna risposta"), 0);
    play(QStringLiteral("=Niccolò; \"il grande\""), 2);

    // The keeper writes on its own, after the game has gone on.
    QByteArray bytes;
    for (int i = 0; i < 200 && !bytes.endsWith("\r\n"); ++i) {
        QTest::qWait(50);
        bytes = readBytes(log);
    }
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 3) << bytes.toStdString();
    EXPECT_TRUE(lines[1].endsWith(
        QStringLiteral(";\"'=Niccolò; \"\"il grande\"\"\";1;2;3;\"sì\"\r").toUtf8()))
        << lines[1].toStdString();
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Game.h"
#include "support/KeeperWait.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedPlatform.h"
#include "window/AnswerBox.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <vector>

// A game on the scripted platform over a temporary record directory.
class GameFixture {
public:
    explicit GameFixture(std::vector<double> draws, QString recordDirectory = {})
        : platform(std::move(draws),
                   recordDirectory.isEmpty()
                       ? QDir(recordRoot.path()).filePath(QStringLiteral("records")) + "/"
                       : recordDirectory) {
        game = std::make_unique<Game>(platform);
        tavola = &game->tavola;
        directory = platform.recordDirectory();
    }
    ~GameFixture() { waitForResultsLogKeepers(directory); }
    GameFixture(const GameFixture&) = delete;
    GameFixture& operator=(const GameFixture&) = delete;

    GameLifecycle& lifecycle() { return game->lifecycle; }
    ClockHandlers& clock() { return game->clock; }

    // Shows the window (which prepares the first question) and waits until
    // it is the active window, as a pupil would find it.
    bool showActive() {
        tavola->show();
        tavola->activateWindow();
        return QTest::qWaitForWindowActive(tavola);
    }

    // Types an answer as a pupil does: each box closed with Enter.
    void answer(const QString& abscissa, const QString& ordinate) {
        QTest::keyClicks(tavola->Text4, abscissa);
        QTest::keyClick(tavola->Text4, Qt::Key_Return);
        QTest::keyClicks(tavola->TXTANSWER, ordinate);
        QTest::keyClick(tavola->TXTANSWER, Qt::Key_Return);
    }

    QString recordFile(const QString& name) const {
        return QDir(recordRoot.path()).filePath(QStringLiteral("records/") + name);
    }

    QTemporaryDir recordRoot;
    ScriptedPlatform platform;
    std::unique_ptr<Game> game;
    Tavola* tavola = nullptr;
    QString directory;
};

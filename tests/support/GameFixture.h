// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/Game.h"
#include "game/GameCalendar.h"
#include "game/GameDialogs.h"
#include "game/GameServices.h"
#include "game/ProcessTerminator.h"
#include "support/KeeperWait.h"
#include "support/QStringPrinter.h"
#include "support/ScriptedRandom.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

// Boxes with scripted answers; every box shown is remembered in order.
class ScriptedDialogs : public GameDialogs {
public:
    struct Box {
        QString text;
        QString title;
    };

    std::deque<QString> names; // an empty script cancels the input box
    std::vector<Box> inputs;
    std::vector<Box> messages;
    // Runs while a message box is open, as its event loop would.
    std::function<void()> whileMessageOpen;

    QString inputBox(const QString& prompt, const QString& title) override {
        inputs.push_back({prompt, title});
        if (names.empty()) {
            return QString();
        }
        QString name = names.front();
        names.pop_front();
        return name;
    }

    void messageBox(const QString& text, const QString& title) override {
        messages.push_back({text, title});
        if (whileMessageOpen) {
            whileMessageOpen();
        }
    }
};

class FixedCalendar : public GameCalendar {
public:
    QString shortDate() override { return QStringLiteral("09/12/26"); }
};

class RecordingTerminator : public ProcessTerminator {
public:
    std::vector<int> statuses;
    void terminate(int exitStatus) override { statuses.push_back(exitStatus); }
};

// Draws that light the point (x, y) of one question: x from -4 to 4 (0 drawn
// as a positive zero), y from -5 to 5.
inline std::vector<double> drawsFor(int x, int y) {
    const int rowMagnitude = y < 0 ? -y : y;
    // The magnitude m takes the slices 2m-1 and 2m of eleven (0 only the first).
    const double ordinateMagnitude = (rowMagnitude == 0 ? 0.5 : 2 * rowMagnitude + 0.5) / 11.0;
    const double ordinateSign = y < 0 ? 0.25 : 0.75;
    const int magnitude = x < 0 ? -x : x;
    const double abscissaMagnitude = (magnitude + 0.5) / 5.0;
    const double abscissaSign = x < 0 ? 0.25 : 0.75;
    return {ordinateMagnitude, ordinateSign, abscissaMagnitude, abscissaSign};
}

// A window with scripted services over a temporary record directory.
class GameFixture {
public:
    explicit GameFixture(std::vector<double> draws, QString recordDirectory = {})
        : random(std::move(draws)) {
        if (recordDirectory.isEmpty()) {
            recordDirectory = QDir(recordRoot.path()).filePath(QStringLiteral("records")) + "/";
        }
        game = std::make_unique<Game>(
            GameServices{dialogs, random, calendar, terminator, recordDirectory});
        tavola = &game->tavola;
        tavola->build();
        directory = recordDirectory;
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
        QApplication::setActiveWindow(tavola);
        tavola->activateWindow();
        return QTest::qWaitForWindowActive(tavola);
    }

    QString recordFile(const QString& name) const {
        return QDir(recordRoot.path()).filePath(QStringLiteral("records/") + name);
    }

    QTemporaryDir recordRoot;
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    FixedCalendar calendar;
    RecordingTerminator terminator;
    std::unique_ptr<Game> game;
    Tavola* tavola = nullptr;
    QString directory;
};

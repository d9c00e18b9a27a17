// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameCalendar.h"
#include "game/GameDialogs.h"
#include "game/GameServices.h"
#include "game/ProcessTerminator.h"
#include "support/ScriptedRandom.h"
#include "window/Tavola.h"

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

// Draws that light the point (x, y) of a question whose ordinate has the
// game's magnitude 4; x from -4 to 4 (0 drawn as a positive zero).
inline std::vector<double> drawsFor(int x, int y) {
    const double ordinateSign = y < 0 ? 0.25 : 0.75;
    const int magnitude = x < 0 ? -x : x;
    const double abscissaMagnitude = (magnitude + 0.5) / 5.0;
    const double abscissaSign = x < 0 ? 0.25 : 0.75;
    return {ordinateSign, abscissaMagnitude, abscissaSign};
}

// A window with scripted services over a temporary record directory.
class GameFixture {
public:
    explicit GameFixture(std::vector<double> draws, QString recordDirectory = {})
        : random(std::move(draws)) {
        if (recordDirectory.isEmpty()) {
            recordDirectory = QDir(recordRoot.path()).filePath(QStringLiteral("records")) + "/";
        }
        tavola = std::make_unique<Tavola>(
            GameServices{dialogs, random, calendar, terminator, recordDirectory});
    }

    // Shows the window (which prepares the first question) and waits until
    // it is the active window, as a pupil would find it.
    bool showActive() {
        tavola->show();
        QApplication::setActiveWindow(tavola.get());
        tavola->activateWindow();
        return QTest::qWaitForWindowActive(tavola.get());
    }

    QString recordFile(const QString& name) const {
        return QDir(recordRoot.path()).filePath(QStringLiteral("records/") + name);
    }

    QTemporaryDir recordRoot;
    ScriptedDialogs dialogs;
    ScriptedRandom random;
    FixedCalendar calendar;
    RecordingTerminator terminator;
    std::unique_ptr<Tavola> tavola;
};

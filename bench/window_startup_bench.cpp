// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the window takes to appear: building Tavola (the grid picture, the
// 121 markers, the controls) and showing it with its first question. Runs on
// the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "game/GameCalendar.h"
#include "game/GameDialogs.h"
#include "game/ProcessTerminator.h"
#include "questions/ClockSeededRandom.h"
#include "window/Tavola.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

namespace {
class SilentDialogs : public GameDialogs {
public:
    QString inputBox(const QString&, const QString&) override { return QStringLiteral("Bench"); }
    void messageBox(const QString&, const QString&) override {}
};
class FixedCalendar : public GameCalendar {
public:
    QString shortDate() override { return QStringLiteral("01/01/27"); }
};
class NoTermination : public ProcessTerminator {
public:
    void terminate(int) override {}
};
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QElapsedTimer total;
    total.start();
    QApplication app(argc, argv);
    const qint64 applicationNs = total.nsecsElapsed();

    SilentDialogs dialogs;
    ClockSeededRandom random;
    FixedCalendar calendar;
    NoTermination terminator;
    const QString records = QDir::temp().filePath(QStringLiteral("trovapunti-bench/"));

    constexpr int kRounds = 10;
    qint64 bestBuild = -1;
    qint64 bestShow = -1;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        Tavola tavola(GameServices{dialogs, random, calendar, terminator, records});
        const qint64 build = timer.nsecsElapsed();
        tavola.Form_Load();
        tavola.show();
        QApplication::processEvents();
        const qint64 shown = timer.nsecsElapsed() - build;
        bestBuild = bestBuild < 0 ? build : std::min(bestBuild, build);
        bestShow = bestShow < 0 ? shown : std::min(bestShow, shown);
    }
    std::printf("QApplication start: %.1f ms\n", static_cast<double>(applicationNs) / 1e6);
    std::printf("build the window (best of %d): %.1f ms\n", kRounds,
                static_cast<double>(bestBuild) / 1e6);
    std::printf("load, show and first question (best of %d): %.1f ms\n", kRounds,
                static_cast<double>(bestShow) / 1e6);
    QDir(records).removeRecursively();
    return 0;
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How long the window takes to appear: building Tavola (the grid picture, the
// 121 markers, the controls) and showing it with its first question. Runs on
// the offscreen platform unless QT_QPA_PLATFORM says otherwise.

#include "SilentPlatform.h"
#include "game/Game.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QElapsedTimer total;
    total.start();
    QApplication app(argc, argv);
    const qint64 applicationNs = total.nsecsElapsed();

    const QString records = QDir::temp().filePath(QStringLiteral("trovapunti-bench/"));
    SilentPlatform platform(records);

    constexpr int kRounds = 10;
    qint64 bestBuild = -1;
    qint64 bestShow = -1;
    for (int round = 0; round < kRounds; ++round) {
        QElapsedTimer timer;
        timer.start();
        Game game(platform);
        const qint64 build = timer.nsecsElapsed();
        game.lifecycle.Form_Load();
        game.tavola.show();
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

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures how closely the game's countdown timer keeps its 1001 ms period:
// runs N ticks (default 30; the whole game is 900) and prints the mean period
// and the length a 900-tick game would take: the first tick's delay plus 899
// periods at the rate measured between the first and the last tick.

#include "window/TavolaUi.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 30;
    if (ticks <= 0) {
        std::fprintf(stderr, "usage: countdown_timer_bench [ticks]\n");
        return 2;
    }

    QTimer timer;
    timer.setInterval(TavolaUi::kTimerIntervalMs);
    timer.setTimerType(Qt::PreciseTimer);
    QElapsedTimer elapsed;
    int seen = 0;
    qint64 worstLateness = 0;
    qint64 firstTick = 0;
    qint64 lastTick = 0;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ++seen;
        const qint64 now = elapsed.nsecsElapsed();
        if (seen == 1) {
            firstTick = now;
        }
        lastTick = now;
        const qint64 due = static_cast<qint64>(seen) * TavolaUi::kTimerIntervalMs * 1000000;
        worstLateness = std::max(worstLateness, now - due);
        if (seen == ticks) {
            timer.stop();
            QCoreApplication::quit();
        }
    });
    elapsed.start();
    timer.start();
    app.exec();

    const double seconds = static_cast<double>(elapsed.nsecsElapsed()) / 1e9;
    const double period = seconds / ticks;
    const double game = period * 900;
    std::printf("ticks: %d\n", ticks);
    std::printf("mean period: %.4f ms (nominal %d ms)\n", period * 1000,
                TavolaUi::kTimerIntervalMs);
    std::printf("900 ticks would take: %.2f s (nominal 900.90 s, deviation %.4f %%)\n", game,
                (game - 900.9) / 900.9 * 100);
    if (ticks > 1) {
        const double between = static_cast<double>(lastTick - firstTick) / 1e9 / (ticks - 1);
        const double projected = static_cast<double>(firstTick) / 1e9 + 899 * between;
        std::printf("projected_900_ticks_s %.4f\n", projected);
        std::printf("projected_deviation_pct %.5f\n", (projected - 900.9) / 900.9 * 100);
    }
    std::printf("worst drift of a tick from its due time: %.3f ms\n",
                static_cast<double>(worstLateness) / 1e6);
    return 0;
}

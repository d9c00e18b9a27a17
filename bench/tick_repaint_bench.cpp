// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// One clock tick on the real window, measured inside the process: the
// window is built and shown on the X server (xcb platform), its timer is
// stopped, and each tick is run by hand; a second connection to the same
// server watches the window's Damage. A tick's time runs from the handler's
// call to the last drawing of the label the server receives; the rectangles tell
// whether the tick repaints the clock label alone. Under a window manager the
// window also repaints what the manager asks for (an expose, a move, a change
// of focus); a tick during which the manager touched the window does not
// count against the game, and the bench says how many there were.
//
//   tick_repaint_bench [ticks]   (default 300; at most 800, the game ends at 900)

#include "SilentPlatform.h"
#include "game/Game.h"
#include "window/AnswerBox.h"
#include "window/CaptionLabel.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double percentile(std::vector<double> values, double q) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    const auto index = static_cast<std::size_t>(std::ceil(q * double(values.size())) - 1);
    return values[std::min(index, values.size() - 1)];
}
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    const int ticks = std::clamp(argc > 1 ? std::atoi(argv[1]) : 300, 1, 800);

    Display* display = XOpenDisplay(nullptr);
    int damageBase = 0;
    int damageError = 0;
    if (display == nullptr || !XDamageQueryExtension(display, &damageBase, &damageError)) {
        std::fprintf(stderr, "tick_repaint_bench: needs an X server with Damage\n");
        return 2;
    }

    QTemporaryDir records;
    SilentPlatform platform(records.path() + QLatin1Char('/'));
    Game game(platform);
    Tavola& tavola = game.tavola;
    game.lifecycle.Form_Load();
    tavola.Timer1->stop();
    tavola.show();

    const Window window = static_cast<Window>(tavola.winId());
    XDamageCreate(display, window, XDamageReportRawRectangles);
    // What a window manager does to the window, seen beside the game's own
    // connection (these events go to every client that asks).
    XSelectInput(display, window, ExposureMask | StructureNotifyMask | FocusChangeMask);
    XSync(display, False);

    // Reads damage for the given time; returns the time of the last one.
    struct Seen {
        qint64 lastNs = -1;
        qint64 lastClockNs = -1;
        int clockRects = 0;
        int otherRects = 0;
        int caretRects = 0;
        int managerEvents = 0;
    };
    QElapsedTimer clock;
    clock.start();
    const QRect label(tavola.lblconto->mapTo(&tavola, QPoint(0, 0)), tavola.lblconto->size());
    // The answer box with the focus, where the caret blinks while the window
    // is active (as it is under a window manager): the game's repaint, but
    // not the tick's.
    const QRect caretBox(tavola.Text4->mapTo(&tavola, QPoint(0, 0)), tavola.Text4->size());
    auto watch = [&](qint64 quietNs, qint64 limitNs) {
        Seen seen;
        const qint64 start = clock.nsecsElapsed();
        for (;;) {
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            while (XPending(display) > 0) {
                XEvent event;
                XNextEvent(display, &event);
                if (event.type == Expose || event.type == ConfigureNotify ||
                    event.type == FocusIn || event.type == FocusOut) {
                    ++seen.managerEvents;
                    continue;
                }
                if (event.type != damageBase + XDamageNotify) {
                    continue;
                }
                const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
                const QRect area(damage.area.x, damage.area.y, damage.area.width,
                                 damage.area.height);
                seen.lastNs = clock.nsecsElapsed();
                if (label.adjusted(-1, -1, 1, 1).contains(area)) {
                    ++seen.clockRects;
                    seen.lastClockNs = seen.lastNs;
                } else if (caretBox.contains(area)) {
                    ++seen.caretRects;
                } else {
                    ++seen.otherRects;
                }
            }
            const qint64 now = clock.nsecsElapsed();
            if (now - start > limitNs || (seen.lastNs >= 0 && now - seen.lastNs > quietNs)) {
                return seen;
            }
        }
    };

    // The first paint of the window and its first question.
    watch(300'000'000, 2'000'000'000);

    std::vector<double> latencies;
    int ticksWithOthers = 0;
    int ticksDisturbed = 0;
    int missed = 0;
    for (int i = 0; i < ticks; ++i) {
        watch(20'000'000, 50'000'000); // let a caret blink or late drawing pass
        const qint64 start = clock.nsecsElapsed();
        game.clock.Timer1_Timer();
        const Seen seen = watch(10'000'000, 500'000'000);
        if (seen.lastNs < 0 || seen.clockRects == 0) {
            ++missed;
            continue;
        }
        latencies.push_back(double(seen.lastClockNs - start) / 1e6);
        if (seen.otherRects > 0) {
            ++(seen.managerEvents > 0 ? ticksDisturbed : ticksWithOthers);
        }
    }
    std::printf("ticks: %d (clock now %s)\n", ticks, qPrintable(tavola.lblconto->caption()));
    std::printf("tick_p50_ms %.3f\n", percentile(latencies, 0.5));
    std::printf("tick_p99_ms %.3f\n", percentile(latencies, 0.99));
    std::printf("tick_max_ms %.3f\n", percentile(latencies, 1.0));
    std::printf("tick_missed %d\n", missed);
    std::printf("tick_with_other_rects %d\n", ticksWithOthers);
    std::printf("tick_disturbed_by_window_manager %d\n", ticksDisturbed);
    XCloseDisplay(display);
    return 0;
}

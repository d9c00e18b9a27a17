// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock/ClockHandlers.h"

#include "window/CaptionLabel.h"
#include "window/Tavola.h"

#include <QTimer>

ClockHandlers::ClockHandlers(Tavola& form, std::function<void()> timeUp)
    : form_(form), timeUp_(std::move(timeUp)) {}

void ClockHandlers::StartCountdown() {
    form_.Timer1->start();
    clock.arm();
    form_.lblconto->setCaption(clock.display());
}

void ClockHandlers::Timer1_Timer() {
    if (form_.gameEnded) {
        return;
    }
    // The display is compared as text: the tick that finds 00:00:00 ends
    // the game instead of counting.
    if (form_.lblconto->caption() == Countdown::kFinalDisplay) {
        timeUp_();
        return;
    }
    clock.tick();
    form_.lblconto->setCaption(clock.display());
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's countdown: arming it and one tick of Timer1.

#include "window/Tavola.h"

#include "window/CaptionLabel.h"

#include <QTimer>

void Tavola::StartCountdown() {
    Timer1->start();
    clock.arm();
    lblconto->setCaption(QString::fromStdString(clock.display()));
}

void Tavola::Timer1_Timer() {
    if (gameEnded_) {
        return;
    }
    // The display is compared as text: the tick that finds 00:00:00 ends
    // the game instead of counting.
    if (Countdown::isFinalDisplay(lblconto->caption().toStdString())) {
        EndGame();
        return;
    }
    clock.tick();
    lblconto->setCaption(QString::fromStdString(clock.display()));
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock/Countdown.h"

#include <cmath>

void Countdown::arm() {
    clockHours = 0;
    clockMinutes = 15;
    clockSeconds = 0.0f;
    secondsLeft = 900;
}

void Countdown::recountSecondsLeft() {
    secondsLeft = static_cast<std::int16_t>(clockSeconds + 900.0f);
}

void Countdown::tick() {
    if (clockSeconds == 0.0f) {
        if (clockMinutes > 0) {
            --clockMinutes;
        } else {
            --clockHours;
            clockMinutes = 59;
        }
        clockSeconds = 60.0f;
    }
    clockSeconds -= 1.0f;
    --secondsLeft;
}

QString Countdown::display() const {
    return QString::asprintf("%02d:%02d:%02ld", int(clockHours), int(clockMinutes),
                             std::lround(clockSeconds));
}

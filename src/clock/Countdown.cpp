// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock/Countdown.h"

#include <cmath>

namespace {

QString twoDigits(long value) {
    return QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'));
}

} // namespace

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
    return twoDigits(clockHours) + QLatin1Char(':') + twoDigits(clockMinutes) + QLatin1Char(':') +
           twoDigits(std::lround(clockSeconds));
}

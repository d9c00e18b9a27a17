// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock/Countdown.h"

#include <cmath>
#include <cstdlib>

namespace {

std::string twoDigits(long value) {
    if (value < 0) {
        return "-" + twoDigits(-value);
    }
    std::string digits = std::to_string(value);
    return digits.size() < 2 ? "0" + digits : digits;
}

} // namespace

void Countdown::arm() {
    clockHours = 0;
    clockMinutes = 15;
    clockSeconds = 0.0f;
    secondsLeft = 900;
}

void Countdown::tick() {
    if (clockHours == 0 && clockMinutes == 0 && clockSeconds == 0.0f) {
        return;
    }
    if (clockSeconds == 0.0f) {
        if (clockMinutes > 0) {
            --clockMinutes;
            clockSeconds = 60.0f;
        } else if (clockMinutes == 0) {
            if (clockHours > 0) {
                --clockHours;
                clockMinutes = 59;
                clockSeconds = 60.0f;
            } else {
                clockHours = 0;
                clockMinutes = 0;
            }
        }
    }
    clockSeconds -= 1.0f;
    --secondsLeft;
}

std::string Countdown::display() const {
    return twoDigits(clockHours) + ":" + twoDigits(clockMinutes) + ":" +
           twoDigits(std::lround(clockSeconds));
}

bool Countdown::isFinalDisplay(std::string_view text) {
    return text == kFinalDisplay;
}

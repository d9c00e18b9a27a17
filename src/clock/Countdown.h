// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>

// The game's fifteen-minute hours-minutes-seconds countdown. Deciding when the
// game ends belongs to the caller, which compares the shown text with
// kFinalDisplay before each tick.
class Countdown {
public:
    static inline const QString kFinalDisplay = QStringLiteral("00:00:00");

    std::int16_t clockHours = 0;
    std::int16_t clockMinutes = 0;
    float clockSeconds = 0.0f;
    std::int16_t secondsLeft = 0;

    // Sets the clock to 00:15:00 with 900 seconds left.
    void arm();

    // What the game start does once the record is loaded: the seconds left
    // are counted again from the seconds field, plus the fifteen minutes.
    void recountSecondsLeft();

    // Counts one second down, borrowing from the minutes and hours. The
    // caller never ticks a clock at 00:00:00: that tick ends the game.
    void tick();

    // "hh:mm:ss", each field at least two digits.
    QString display() const;
};

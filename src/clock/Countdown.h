// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The game's fifteen-minute hours-minutes-seconds countdown. Deciding when the
// game ends belongs to the caller, which compares the shown text with
// kFinalDisplay before each tick.
class Countdown {
public:
    static constexpr int kTimerIntervalMs = 1001;
    static constexpr char kFinalDisplay[] = "00:00:00";

    std::int16_t clockHours = 0;
    std::int16_t clockMinutes = 0;
    float clockSeconds = 0.0f;
    std::int16_t secondsLeft = 0;

    // Sets the clock to 00:15:00 with 900 seconds left.
    void arm();

    // Counts one second down, borrowing from the minutes and hours. At
    // 00:00:00 it stays put, so a late tick can never run the clock negative
    // and past the text the end of the game waits for.
    void tick();

    // "hh:mm:ss", each field at least two digits.
    std::string display() const;

    static bool isFinalDisplay(std::string_view text);
};

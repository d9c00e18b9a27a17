// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clock/Countdown.h"

#include <functional>

class Tavola;

// The window's countdown: arming it at the game start and one tick of
// Timer1, shown in lblconto.
class ClockHandlers {
public:
    // timeUp runs on the tick that finds the display at 00:00:00.
    ClockHandlers(Tavola& form, std::function<void()> timeUp);

    void StartCountdown();
    void Timer1_Timer();

    Countdown clock;

private:
    Tavola& form_;
    std::function<void()> timeUp_;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "clock/ClockHandlers.h"
#include "game/GameLifecycle.h"
#include "questions/QuestionHandlers.h"
#include "window/Tavola.h"

// One game: the window, the handlers of each subsystem, and the one place
// that connects the window's events to them.
class Game {
public:
    explicit Game(GamePlatform& platform);

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    Tavola tavola;
    QuestionHandlers questions;
    ClockHandlers clock;
    GameLifecycle lifecycle;

private:
    // The context of every connection: destroyed first, so no event of the
    // window reaches a handler that is already gone.
    QObject wiring_;
};

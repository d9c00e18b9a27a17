// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GamePlatform.h"

class ClockHandlers;
class QuestionHandlers;
class Tavola;

// The game's start and end: asking the name, arming the countdown, showing
// the record, preparing the first question, and at the end saying goodbye
// and keeping a beaten record. Also the credits box of the menu.
class GameLifecycle {
public:
    GameLifecycle(Tavola& form, QuestionHandlers& questions, ClockHandlers& clock,
                  GamePlatform& platform);

    void Form_Load();
    void Form_Activate();
    void EndGame();
    void copy_Click();

private:
    void loadRecord();

    Tavola& form_;
    QuestionHandlers& questions_;
    ClockHandlers& clock_;
    GamePlatform& platform_;
};

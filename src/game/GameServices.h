// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class GameCalendar;
class GameDialogs;
class ProcessTerminator;
class RandomSource;

// The side effects the window reaches through seams: the real game passes
// the real ones, tests their own.
struct GameServices {
    GameDialogs& dialogs;
    RandomSource& random;
    GameCalendar& calendar;
    ProcessTerminator& terminator;
    // The record directory, ending in one separator.
    QString recordDirectory;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "questions/TargetDraw.h"

#include <QString>

// Every side effect of the game outside its window: the modal boxes, the
// random draws, today's date, where the record lives and the end of the
// program. The game runs on QtPlatform; tests script their own.
class GamePlatform : public RandomSource {
public:
    // The typed text, or "" when the box is cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title) = 0;
    // Returns when the player has closed the box. A screen reader also
    // speaks the description, which the box does not show.
    virtual void messageBox(const QString& text, const QString& title,
                            const QString& description = QString()) = 0;
    // The current date in the system's short date format.
    virtual QString shortDate() = 0;
    // The record directory, ending in one separator.
    virtual QString recordDirectory() = 0;
    // Ends the program with the status.
    virtual void terminate(int exitStatus) = 0;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The modal boxes the game shows. The game passes Qt's boxes; tests script
// the answers.
class GameDialogs {
public:
    virtual ~GameDialogs() = default;

    // The typed text, or "" when the box is cancelled.
    virtual QString inputBox(const QString& prompt, const QString& title) = 0;
    // Returns when the player has closed the box.
    virtual void messageBox(const QString& text, const QString& title) = 0;
};

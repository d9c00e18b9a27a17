// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Today's date as the farewell box's title shows it.
class GameCalendar {
public:
    virtual ~GameCalendar() = default;
    // The current date in the system's short date format.
    virtual QString shortDate() = 0;
};

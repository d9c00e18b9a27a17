// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameCalendar.h"

// The real calendar: the system locale's short date format.
class SystemCalendar : public GameCalendar {
public:
    QString shortDate() override;
};

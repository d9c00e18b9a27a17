#pragma once

#include "game/GameCalendar.h"

// The real calendar: the system locale's short date format.
class SystemCalendar : public GameCalendar {
public:
    QString shortDate() override;
};

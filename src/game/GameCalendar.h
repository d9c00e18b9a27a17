#pragma once

#include <QString>

// Today's date as the farewell box's title shows it.
class GameCalendar {
public:
    virtual ~GameCalendar() = default;
    // The current date in the system's short date format.
    virtual QString shortDate() = 0;
};

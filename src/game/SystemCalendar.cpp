#include "game/SystemCalendar.h"

#include <QDate>
#include <QLocale>

QString SystemCalendar::shortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

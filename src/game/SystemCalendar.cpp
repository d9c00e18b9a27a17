// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/SystemCalendar.h"

#include <QDate>
#include <QLocale>

QString SystemCalendar::shortDate() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

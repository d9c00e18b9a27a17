// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ItalianQtTexts.h"
#include "game/QtGameDialogs.h"
#include "game/QuitEventLoop.h"
#include "game/SystemCalendar.h"
#include "questions/ClockSeededRandom.h"
#include "records/RecordDirectory.h"
#include "window/Tavola.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trovapunti"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installItalianQtTexts(app);

    QtGameDialogs dialogs;
    ClockSeededRandom random;
    SystemCalendar calendar;
    QuitEventLoop terminator;
    Tavola tavola(GameServices{dialogs, random, calendar, terminator, GetSystemDir()});
    dialogs.setParentWindow(&tavola);

    // The start-up boxes come and go before the window exists on screen;
    // closing them must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    tavola.Form_Load();
    tavola.show();
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}

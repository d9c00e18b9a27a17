// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ClockSeededRandom.h"
#include "game/Game.h"
#include "game/ItalianQtTexts.h"
#include "game/QtGameDialogs.h"
#include "game/QuitEventLoop.h"
#include "game/SystemCalendar.h"
#include "records/RecordDirectory.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trovapunti"));
    // The mascot, as the menu shows it, on every box and on the window.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/mascot.svg")));
    QGuiApplication::setDesktopFileName(QStringLiteral("it.trovapunti.Trovapunti"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installItalianQtTexts(app);

    QtGameDialogs dialogs;
    ClockSeededRandom random;
    SystemCalendar calendar;
    QuitEventLoop terminator;
    Game game(GameServices{dialogs, random, calendar, terminator, GetSystemDir()});
    dialogs.setParentWindow(&game.tavola);

    // The start-up boxes come and go before the window exists on screen;
    // closing them must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    game.lifecycle.Form_Load();
    game.tavola.show();
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}

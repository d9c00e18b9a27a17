// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Game.h"
#include "game/ItalianQtTexts.h"
#include "game/PlatformChoice.h"
#include "game/QtPlatform.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <QtGlobal>
#include <cstdlib>

namespace {
// Qt tells a Wayland compositor which windows are modal dialogs
// (xdg-dialog-v1) from version 6.8 on.
constexpr bool kQtMarksModalDialogs = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);

// Before the application exists: it reads the platform when it starts.
void choosePlatform() {
    const SessionEnvironment session{std::getenv("QT_QPA_PLATFORM"),
                                     std::getenv("XDG_SESSION_TYPE"),
                                     std::getenv("WAYLAND_DISPLAY"), std::getenv("DISPLAY")};
    if (const char* platform = platformForSession(session, kQtMarksModalDialogs)) {
        qputenv("QT_QPA_PLATFORM", platform);
    }
}
} // namespace

int main(int argc, char** argv) {
    choosePlatform();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Trovapunti"));
    QGuiApplication::setDesktopFileName(QStringLiteral("it.trovapunti.Trovapunti"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installItalianQtTexts(app);

    QtPlatform platform;
    Game game(platform);
    // The window's mascot, as the menu shows it, on every box too.
    QApplication::setWindowIcon(game.tavola.windowIcon());
    platform.setParentWindow(&game.tavola);

    // The start-up boxes come and go before the window exists on screen;
    // closing them must not end the program.
    QApplication::setQuitOnLastWindowClosed(false);
    game.lifecycle.Form_Load();
    game.tavola.show();
    QApplication::setQuitOnLastWindowClosed(true);
    return QApplication::exec();
}

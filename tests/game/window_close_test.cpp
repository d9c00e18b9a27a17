// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/QtPlatform.h"
#include "support/GameFixture.h"

#include <QDialog>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

// Alt+F4 on the window while one of its boxes waits (the credits, the
// farewell, the record) leaves both open; once the box is closed, the window
// closes as before.
TEST(WindowClose, TheWindowStaysOpenWhileItsBoxWaits) {
    GameFixture game{std::vector<double>(40, 0.75)};
    ASSERT_TRUE(game.showActive());
    QtPlatform dialogs;
    dialogs.setParentWindow(game.tavola);

    bool boxWasUp = false;
    bool closedByWidget = true;
    bool windowStayedUp = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        boxWasUp = box != nullptr;
        // As Qt's X11 platform asks it, and as a Wayland compositor does.
        closedByWidget = game.tavola->close();
        game.tavola->windowHandle()->close();
        QApplication::processEvents();
        windowStayedUp = game.tavola->isVisible() && box != nullptr && box->isVisible();
        if (box != nullptr) {
            box->accept();
        }
    });
    dialogs.messageBox(QStringLiteral("Ciao a presto. Ore 0"), QStringLiteral("Data 09/12/26"));

    EXPECT_TRUE(boxWasUp);
    EXPECT_FALSE(closedByWidget);
    EXPECT_TRUE(windowStayedUp);
    EXPECT_TRUE(game.tavola->close());
    EXPECT_FALSE(game.tavola->isVisible());
}

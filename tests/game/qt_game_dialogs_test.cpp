// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/QtGameDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs the box, measures it once it is up, and closes it.
int shownWidth(const std::function<void()>& openBox) {
    int width = -1;
    QTimer::singleShot(0, [&width] {
        QWidget* box = QApplication::activeModalWidget();
        if (box != nullptr) {
            width = box->width();
            qobject_cast<QDialog*>(box)->reject();
        }
    });
    openBox();
    return width;
}

} // namespace

TEST(QtGameDialogs, BoxesAreAtLeastAsWideAsTheirTitle) {
    QtGameDialogs dialogs;
    const QString farewell = QStringLiteral("Data 09/12/2026 - una data lunga da leggere");
    const int needed = QtGameDialogs::titleWidth(farewell);
    EXPECT_GT(needed, QFontMetrics(QApplication::font()).horizontalAdvance(farewell));

    EXPECT_GE(
        shownWidth([&] { dialogs.messageBox(QStringLiteral("Ciao a presto. Ore 0"), farewell); }),
        needed);
    EXPECT_GE(
        shownWidth([&] { (void)dialogs.inputBox(QStringLiteral("Come ti chiami?"), farewell); }),
        needed);
}

TEST(QtGameDialogs, NameBoxTakesOnePlainLineOfAtMost64Characters) {
    QtGameDialogs dialogs;
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* field = box->findChild<QLineEdit*>();
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, QStringLiteral("Anna Maria"));
        field->insert(QStringLiteral("\nRecord: 999")); // a pasted second line
        field->insert(QStringLiteral("\u202E"));        // a right-to-left override
        field->insert(QString(70, QLatin1Char('x')));
        box->accept();
    });
    const QString name = dialogs.inputBox(QStringLiteral("Come ti chiami?"), QStringLiteral("T"));
    EXPECT_TRUE(name.startsWith(QStringLiteral("Anna Maria")));
    EXPECT_FALSE(name.contains(QLatin1Char('\n')));
    EXPECT_FALSE(name.contains(QChar(0x202E)));
    EXPECT_LE(name.size(), 64);
}

TEST(QtGameDialogs, WorkWaitingForTheNextBoxRunsWhileItIsOpen) {
    QtGameDialogs dialogs;
    bool workDone = false;
    bool doneWhileOpen = false;
    dialogs.whileNextBoxWaits([&] { workDone = true; });
    QTimer::singleShot(0, [&] {
        doneWhileOpen = QTest::qWaitFor([&] { return workDone; });
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        box->reject();
    });
    (void)dialogs.inputBox(QStringLiteral("Come ti chiami?"), QStringLiteral("Trovapunti"));
    EXPECT_TRUE(doneWhileOpen);

    // Once only: the next box runs nothing.
    workDone = false;
    QTimer::singleShot(0,
                       [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->reject(); });
    dialogs.messageBox(QStringLiteral("Ciao"), QStringLiteral("Trovapunti"));
    EXPECT_FALSE(workDone);
}

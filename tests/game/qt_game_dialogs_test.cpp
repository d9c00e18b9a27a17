#include "game/QtGameDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
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

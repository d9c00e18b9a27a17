// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/CaretBlinkRest.h"

#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QStyleHints>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

int flashTime() {
    return QGuiApplication::styleHints()->cursorFlashTime();
}

// Dark pixels on the middle row of the caret's place in an empty box.
int caretInk(QLineEdit& box) {
    const QRect caret = box.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    const QImage shown = box.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const int row = caret.center().y();
    int dark = 0;
    for (int column = std::max(0, caret.left()); column <= caret.right(); ++column) {
        dark += qGray(shown.pixel(column, row)) < 96 ? 1 : 0;
    }
    return dark;
}

} // namespace

// Quiet time stops the blinking with the caret drawn; any key or click
// brings the platform's blinking back and starts counting again.
TEST(CaretBlinkRest, QuietStopsTheBlinkWithTheCaretShownAndInputRestoresIt) {
    const int platform = flashTime();
    ASSERT_GT(platform, 0);
    QLineEdit box;
    box.setAlignment(Qt::AlignCenter);
    box.resize(120, 60);
    box.show();
    box.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    box.setFocus();
    ASSERT_TRUE(box.hasFocus());
    {
        CaretBlinkRest rest;
        EXPECT_TRUE(rest.isCountingQuiet());
        EXPECT_FALSE(rest.isResting());

        rest.rest();
        EXPECT_TRUE(rest.isResting());
        EXPECT_FALSE(rest.isCountingQuiet());
        EXPECT_EQ(flashTime(), 0);
        EXPECT_GT(caretInk(box), 0);

        QTest::keyClick(&box, Qt::Key_Right);
        EXPECT_FALSE(rest.isResting());
        EXPECT_TRUE(rest.isCountingQuiet());
        EXPECT_EQ(flashTime(), platform);

        rest.rest();
        QTest::mouseClick(&box, Qt::LeftButton);
        EXPECT_EQ(flashTime(), platform);

        rest.rest(); // gone while resting
    }
    EXPECT_EQ(flashTime(), platform);
}

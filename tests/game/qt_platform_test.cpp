// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/QtPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <vector>

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

std::vector<double> firstDraws(QtPlatform& random, int count) {
    std::vector<double> draws;
    for (int i = 0; i < count; ++i) {
        draws.push_back(random.next());
    }
    return draws;
}

} // namespace

TEST(QtPlatform, BoxesAreAtLeastAsWideAsTheirTitle) {
    QtPlatform platform;
    const QString farewell = QStringLiteral("Data 09/12/2026 - una data lunga da leggere");
    const int needed = QtPlatform::titleWidth(farewell);
    EXPECT_GT(needed, QFontMetrics(QApplication::font()).horizontalAdvance(farewell));

    EXPECT_GE(
        shownWidth([&] { platform.messageBox(QStringLiteral("Ciao a presto. Ore 0"), farewell); }),
        needed);
    EXPECT_GE(
        shownWidth([&] { (void)platform.inputBox(QStringLiteral("Come ti chiami?"), farewell); }),
        needed);
}

TEST(QtPlatform, NameBoxTakesOnePlainLineOfAtMost64Characters) {
    QtPlatform platform;
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
    const QString name = platform.inputBox(QStringLiteral("Come ti chiami?"), QStringLiteral("T"));
    EXPECT_TRUE(name.startsWith(QStringLiteral("Anna Maria")));
    EXPECT_FALSE(name.contains(QLatin1Char('\n')));
    EXPECT_FALSE(name.contains(QChar(0x202E)));
    EXPECT_LE(name.size(), 64);
}

TEST(QtPlatform, DrawsCoverTheUnitIntervalEvenly) {
    QtPlatform random;
    std::array<int, 5> buckets{};
    constexpr int kDraws = 10000;
    for (int i = 0; i < kDraws; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ++buckets[static_cast<std::size_t>(r * 5)];
    }
    // Each fifth expects 2000 draws; 1500 is more than ten deviations away.
    for (int count : buckets) {
        EXPECT_GT(count, 1500);
    }
}

TEST(QtPlatform, ReseedsAndGeneratorsCreatedTogetherDrawIndependently) {
    QtPlatform random;
    random.reseedFromClock();
    const std::vector<double> first = firstDraws(random, 3);
    random.reseedFromClock();
    EXPECT_NE(first, firstDraws(random, 3));

    QtPlatform one;
    QtPlatform two;
    EXPECT_NE(firstDraws(one, 3), firstDraws(two, 3));
}

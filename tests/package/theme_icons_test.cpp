// SPDX-FileCopyrightText: 2026 Trovapunti developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const QString kIconDir = QStringLiteral(THEME_ICON_DIR);
const QString kIconName = QStringLiteral("it.trovapunti.Trovapunti");

QImage argb(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

// Share of pixels whose colour or coverage differs by more than a shade.
double differingShare(const QImage& a, const QImage& b) {
    int differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            const int worst =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
            differing += worst > 40 ? 1 : 0;
        }
    }
    return double(differing) / (a.width() * a.height());
}

} // namespace

// The installed theme icons are the window's mascot: the scalable icon is
// its very file, and every PNG looks as the window draws it at that size.
TEST(ThemeIcons, AreTheWindowMascotAtEverySizeAndScalable) {
    const QIcon mascot(QStringLiteral(":/pictures/mascot.svg"));
    for (const int size : {16, 22, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral("%1/%2x%2/apps/%3.png").arg(kIconDir).arg(size).arg(kIconName);
        const QImage png(path);
        ASSERT_FALSE(png.isNull()) << path.toStdString();
        ASSERT_EQ(png.size(), QSize(size, size)) << path.toStdString();
        const QImage drawn = argb(mascot.pixmap(size).toImage());
        EXPECT_LT(differingShare(argb(png), drawn), size < 32 ? 0.1 : 0.03) << path.toStdString();
        // A blank or misplaced drawing would pass a loose comparison: the
        // owl's eye must be where the window has it.
        EXPECT_EQ(qAlpha(png.pixel(size * 35 / 100, size * 51 / 100)), 255);
    }

    QFile scalable(kIconDir + QStringLiteral("/scalable/apps/") + kIconName + ".svg");
    QFile picture(QStringLiteral(":/pictures/mascot.svg"));
    ASSERT_TRUE(scalable.open(QIODevice::ReadOnly));
    ASSERT_TRUE(picture.open(QIODevice::ReadOnly));
    EXPECT_EQ(scalable.readAll(), picture.readAll());
}

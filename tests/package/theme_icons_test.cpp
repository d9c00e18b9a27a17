// SPDX-FileCopyrightText: 2026 Trovapunti developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Icons.h"

#include <QImage>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
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

// The installed theme icons are the window's mascot: every PNG is the
// window icon's own picture at its size, and the SVG draws the same owl.
TEST(ThemeIcons, AreTheWindowMascotAtEverySizeAndScalable) {
    for (const int size : {16, 22, 32, 48, 64, 128, 256}) {
        const QString path =
            QStringLiteral("%1/%2x%2/apps/%3.png").arg(kIconDir).arg(size).arg(kIconName);
        const QImage png(path);
        ASSERT_FALSE(png.isNull()) << path.toStdString();
        EXPECT_EQ(png.size(), QSize(size, size)) << path.toStdString();
        EXPECT_EQ(argb(png), argb(Icons::mascot(size).toImage())) << path.toStdString();
    }

    QSvgRenderer svg(kIconDir + QStringLiteral("/scalable/apps/") + kIconName + ".svg");
    ASSERT_TRUE(svg.isValid());
    EXPECT_EQ(svg.viewBoxF(), QRectF(0, 0, 100, 100));
    QImage rendered(128, 128, QImage::Format_ARGB32);
    rendered.fill(Qt::transparent);
    QPainter painter(&rendered);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    painter.end();
    const QImage mascot = argb(Icons::mascot(128).toImage());
    EXPECT_LT(differingShare(rendered, mascot), 0.02);
    // A blank or misplaced drawing would pass a loose comparison of a mostly
    // transparent picture: the owl's eye must be where the mascot has it.
    EXPECT_EQ(rendered.pixel(45, 65), mascot.pixel(45, 65));
}

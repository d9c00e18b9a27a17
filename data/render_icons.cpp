// SPDX-FileCopyrightText: 2026 Trovapunti developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the mascot as the application's hicolor theme icons: a scalable SVG
// and one PNG per size, from the drawing the window icon uses.
//
// Usage: trovapunti_render_icons OUTPUT_DIR ICON_NAME SIZE...

#include "window/Icons.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <cstdio>

namespace {

constexpr int kDesign = 100; // the mascot's drawing square

bool writeSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(QSize(kDesign, kDesign));
    svg.setViewBox(QRect(0, 0, kDesign, kDesign));
    svg.setTitle(QStringLiteral("Trovapunti"));
    svg.setDescription(QStringLiteral("The Trovapunti owl"));
    QPainter painter;
    if (!painter.begin(&svg)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    Icons::paintMascot(painter);
    return painter.end();
}

bool makeDirectoryFor(const QString& file) {
    return QDir().mkpath(QFileInfo(file).path());
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() < 4) {
        std::fputs("usage: trovapunti_render_icons OUTPUT_DIR ICON_NAME SIZE...\n", stderr);
        return 2;
    }
    const QString outputDir = args.at(1);
    const QString iconName = args.at(2);

    const QString svgPath = outputDir + QStringLiteral("/scalable/apps/") + iconName + ".svg";
    if (!makeDirectoryFor(svgPath) || !writeSvg(svgPath)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(svgPath));
        return 1;
    }
    for (qsizetype i = 3; i < args.size(); ++i) {
        bool isNumber = false;
        const int size = args.at(i).toInt(&isNumber);
        const QPixmap picture = isNumber ? Icons::mascot(size) : QPixmap();
        const QString pngPath =
            QStringLiteral("%1/%2x%2/apps/%3.png").arg(outputDir).arg(size).arg(iconName);
        if (picture.isNull() || !makeDirectoryFor(pngPath) || !picture.save(pngPath, "PNG")) {
            std::fprintf(stderr, "cannot write the %s icon %s\n", qPrintable(args.at(i)),
                         qPrintable(pngPath));
            return 1;
        }
    }
    return 0;
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Icons.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// All pictures are designed on a 100 x 100 grid and scaled to the pixel size.
constexpr qreal kDesign = 100.0;

template <typename Draw> QPixmap drawPicture(int size, Draw draw) {
    if (size < 1) {
        return {};
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) { // allocation refused for an absurd size
        return {};
    }
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kDesign, size / kDesign);
    draw(painter);
    painter.end();
    return QPixmap::fromImage(image);
}

QPen roundPen(const QColor& colour, qreal width) {
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const QColor kFaceInk(0x4a, 0x2c, 0x00);

void drawYellowDisc(QPainter& p) {
    QRadialGradient shine(QPointF(40, 34), 60);
    shine.setColorAt(0.0, QColor(0xff, 0xf0, 0x80));
    shine.setColorAt(1.0, QColor(0xff, 0xc4, 0x00));
    p.setPen(roundPen(QColor(0xa8, 0x6e, 0x00), 3.5));
    p.setBrush(shine);
    p.drawEllipse(QPointF(50, 50), 46, 46);
}

void drawOpenEyes(QPainter& p) {
    p.setPen(Qt::NoPen);
    p.setBrush(kFaceInk);
    p.drawEllipse(QPointF(35, 38), 6, 9);
    p.drawEllipse(QPointF(65, 38), 6, 9);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(33, 34), 2, 2.5);
    p.drawEllipse(QPointF(63, 34), 2, 2.5);
}

} // namespace

namespace Icons {

QPixmap mascot(int size) {
    return drawPicture(size, [](QPainter& p) {
        const QColor outline(0x5a, 0x33, 0x15);
        const QColor feathers(0xd9, 0x7a, 0x2b);
        const QColor face(0xfd, 0xe9, 0xc4);

        p.setPen(roundPen(outline, 3.5));
        p.setBrush(feathers);
        p.drawPolygon(QPolygonF{QPointF(12, 40), QPointF(16, 5), QPointF(42, 22)});
        p.drawPolygon(QPolygonF{QPointF(88, 40), QPointF(84, 5), QPointF(58, 22)});
        p.drawEllipse(QPointF(50, 56), 42, 39);

        // Heart-shaped facial disc around the eyes and beak.
        QPainterPath mask;
        mask.addEllipse(QPointF(33, 50), 21, 20);
        mask.addEllipse(QPointF(67, 50), 21, 20);
        mask.addEllipse(QPointF(50, 68), 22, 21);
        p.setPen(Qt::NoPen);
        p.setBrush(face);
        p.drawPath(mask.simplified());

        p.setBrush(QColor(0xf4, 0x8f, 0xa6));
        p.drawEllipse(QPointF(20, 72), 7, 5);
        p.drawEllipse(QPointF(80, 72), 7, 5);

        p.setPen(roundPen(outline, 3));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(33, 49), 15, 15);
        p.drawEllipse(QPointF(67, 49), 15, 15);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0x1f, 0x9e, 0x8f));
        p.drawEllipse(QPointF(35, 51), 10, 10);
        p.drawEllipse(QPointF(65, 51), 10, 10);
        p.setBrush(QColor(0x10, 0x10, 0x10));
        p.drawEllipse(QPointF(35, 51), 6, 6);
        p.drawEllipse(QPointF(65, 51), 6, 6);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(32, 47), 2.8, 2.8);
        p.drawEllipse(QPointF(62, 47), 2.8, 2.8);

        p.setPen(roundPen(outline, 2.5));
        p.setBrush(QColor(0xff, 0xb3, 0x1a));
        p.drawPolygon(QPolygonF{QPointF(43, 64), QPointF(57, 64), QPointF(50, 77)});

        QPainterPath smile;
        smile.moveTo(40, 82);
        smile.quadTo(50, 90, 60, 82);
        p.setPen(roundPen(outline, 3));
        p.setBrush(Qt::NoBrush);
        p.drawPath(smile);
    });
}

QIcon windowIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
        icon.addPixmap(mascot(size));
    }
    return icon;
}

QPixmap smilingFace(int size) {
    return drawPicture(size, [](QPainter& p) {
        drawYellowDisc(p);
        drawOpenEyes(p);
        QPainterPath mouth;
        mouth.moveTo(27, 60);
        mouth.quadTo(50, 86, 73, 60);
        p.setPen(roundPen(kFaceInk, 5.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(mouth);
    });
}

QPixmap neutralFace(int size) {
    return drawPicture(size, [](QPainter& p) {
        drawYellowDisc(p);
        drawOpenEyes(p);
        p.setPen(roundPen(kFaceInk, 5.5));
        p.drawLine(QPointF(32, 68), QPointF(68, 68));
    });
}

QPixmap laughingFace(int size) {
    return drawPicture(size, [](QPainter& p) {
        drawYellowDisc(p);

        // Eyes squeezed shut into arches.
        p.setPen(roundPen(kFaceInk, 5));
        p.setBrush(Qt::NoBrush);
        for (const qreal x : {35.0, 65.0}) {
            QPainterPath arch;
            arch.moveTo(x - 9, 40);
            arch.quadTo(x, 24, x + 9, 40);
            p.drawPath(arch);
        }

        QPainterPath mouth;
        mouth.moveTo(22, 54);
        mouth.lineTo(78, 54);
        mouth.arcTo(QRectF(22, 24, 56, 64), 0, -180);
        mouth.closeSubpath();

        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd4, 0x16, 0x16));
        p.drawPath(mouth);
        p.save();
        p.setClipPath(mouth);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(20, 50, 60, 9));
        p.setBrush(QColor(0xff, 0x7e, 0x8e));
        p.drawEllipse(QPointF(50, 88), 17, 10);
        p.restore();

        p.setPen(roundPen(kFaceInk, 3.5));
        p.setBrush(Qt::NoBrush);
        p.drawPath(mouth);
    });
}

QPixmap noEntrySign(int size) {
    return drawPicture(size, [](QPainter& p) {
        // A white rim and grey hairline keep the sign apart from any button colour.
        p.setPen(QPen(QColor(0x55, 0x55, 0x55), 1.5));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(50, 50), 47, 47);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xd7, 0x19, 0x20));
        p.drawEllipse(QPointF(50, 50), 43, 43);
        p.setBrush(Qt::white);
        p.drawRoundedRect(QRectF(18, 41, 64, 18), 2, 2);
    });
}

QCursor smallSquarePointer() {
    constexpr int canvas = 32;
    constexpr int hot = canvas / 2;
    constexpr int half = 5; // square side 2 * half + 1, centred on the hot spot
    QImage image(canvas, canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect outer(hot - half, hot - half, 2 * half + 1, 2 * half + 1);
    p.fillRect(outer, Qt::black);
    p.fillRect(outer.adjusted(1, 1, -1, -1), Qt::white);
    p.fillRect(outer.adjusted(2, 2, -2, -2), Qt::black);
    p.fillRect(outer.adjusted(3, 3, -3, -3), Qt::transparent);
    p.end();
    return QCursor(QPixmap::fromImage(image), hot, hot);
}

} // namespace Icons

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Icons.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <map>

namespace {

// All pictures are designed on a 100 x 100 grid and scaled to the pixel size.
constexpr qreal kDesign = 100.0;

// Device pixels for a length in pixels, at least one.
int devicePixels(int pixels, qreal ratio) {
    return std::max(1, static_cast<int>(std::lround(pixels * ratio)));
}

template <typename Draw> QPixmap drawPicture(int size, qreal ratio, Draw draw) {
    if (size < 1 || !(ratio > 0.0)) {
        return {};
    }
    const int side = devicePixels(size, ratio);
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull()) { // allocation refused for an absurd size
        return {};
    }
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(side / kDesign, side / kDesign);
    draw(painter);
    painter.end();
    // The ratio that makes the picture exactly size pixels wide.
    image.setDevicePixelRatio(static_cast<qreal>(side) / size);
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

// The mascot drawn at a size only when someone asks for it, then kept: a
// window manager takes a few small sizes, and nothing is drawn before the
// first window needs its icon.
class MascotIconEngine : public QIconEngine {
public:
    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side = std::min(size.width(), size.height());
        auto found = drawn_.find(side);
        if (found == drawn_.end()) {
            found = drawn_.emplace(side, Icons::mascot(side, 1.0)).first;
        }
        return found->second;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    // The sizes a window manager is offered; any other is drawn on request.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int side : {16, 24, 32, 48, 64}) {
            sizes.append(QSize(side, side));
        }
        return sizes;
    }

    QString key() const override { return QStringLiteral("trovapunti-mascot"); }
    QIconEngine* clone() const override { return new MascotIconEngine; }

private:
    std::map<int, QPixmap> drawn_;
};

} // namespace

namespace Icons {

void paintMascot(QPainter& p) {
    const QColor outline(0x5a, 0x33, 0x15);
    const QColor feathers(0xd9, 0x7a, 0x2b);
    const QColor face(0xfd, 0xe9, 0xc4);

    p.setPen(roundPen(outline, 3.5));
    p.setBrush(feathers);
    p.drawPolygon(QPolygonF{QPointF(12, 40), QPointF(16, 5), QPointF(42, 22)});
    p.drawPolygon(QPolygonF{QPointF(88, 40), QPointF(84, 5), QPointF(58, 22)});
    p.drawEllipse(QPointF(50, 56), 42, 39);

    // Heart-shaped facial disc around the eyes and beak. Merging the three
    // ellipses is half the drawing's work: it is done once.
    static const QPainterPath mask = [] {
        QPainterPath ellipses;
        ellipses.addEllipse(QPointF(33, 50), 21, 20);
        ellipses.addEllipse(QPointF(67, 50), 21, 20);
        ellipses.addEllipse(QPointF(50, 68), 22, 21);
        return ellipses.simplified();
    }();
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawPath(mask);

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
}

qreal screenRatio() {
    return qGuiApp != nullptr ? qGuiApp->devicePixelRatio() : 1.0;
}

QPixmap mascot(int size, qreal ratio) {
    return drawPicture(size, ratio, paintMascot);
}

QIcon windowIcon() {
    return QIcon(new MascotIconEngine);
}

QPixmap smilingFace(int size, qreal ratio) {
    return drawPicture(size, ratio, [](QPainter& p) {
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

QPixmap neutralFace(int size, qreal ratio) {
    return drawPicture(size, ratio, [](QPainter& p) {
        drawYellowDisc(p);
        drawOpenEyes(p);
        p.setPen(roundPen(kFaceInk, 5.5));
        p.drawLine(QPointF(32, 68), QPointF(68, 68));
    });
}

QPixmap laughingFace(int size, qreal ratio) {
    return drawPicture(size, ratio, [](QPainter& p) {
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

QPixmap noEntrySign(int size, qreal ratio) {
    return drawPicture(size, ratio, [](QPainter& p) {
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

QCursor smallSquarePointer(qreal ratio) {
    constexpr int canvas = 32;
    constexpr int hot = canvas / 2;
    constexpr int half = 5; // square side 2 * half + 1, centred on the hot spot
    // Whole device pixels per pixel, so the rings stay sharp and even.
    const int scale = std::max(1, static_cast<int>(std::lround(ratio)));
    QImage image(canvas * scale, canvas * scale, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect outer((hot - half) * scale, (hot - half) * scale, (2 * half + 1) * scale,
                      (2 * half + 1) * scale);
    p.fillRect(outer, Qt::black);
    p.fillRect(outer.adjusted(scale, scale, -scale, -scale), Qt::white);
    p.fillRect(outer.adjusted(2 * scale, 2 * scale, -2 * scale, -2 * scale), Qt::black);
    p.fillRect(outer.adjusted(3 * scale, 3 * scale, -3 * scale, -3 * scale), Qt::transparent);
    p.end();
    image.setDevicePixelRatio(scale);
    return QCursor(QPixmap::fromImage(image), hot, hot);
}

} // namespace Icons

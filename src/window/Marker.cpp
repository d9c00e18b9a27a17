// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Marker.h"

#include <QColor>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <cmath>
#include <stdexcept>

#include "window/MarkerGroups.h"

namespace {

// The disc as an image of the device's resolution: opaque where a device
// pixel's centre lies within the disc, transparent elsewhere, so the edge is
// hard at any ratio. At ratio 1 the middle row spans the full 25 pixels.
QImage discImage(qreal ratio, const QColor& colour) {
    const double radius = kDiscDiameter * ratio / 2.0;
    const int side = static_cast<int>(std::ceil(kDiscDiameter * ratio - 1e-9));
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRgb ink = colour.rgb();
    for (int row = 0; row < side; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        const double dy = row + 0.5 - radius;
        for (int column = 0; column < side; ++column) {
            const double dx = column + 0.5 - radius;
            if (dx * dx + dy * dy <= radius * radius) {
                line[column] = ink;
            }
        }
    }
    image.setDevicePixelRatio(ratio);
    return image;
}

QColor colourOf(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFFU), static_cast<int>((bgr >> 8) & 0xFFU),
                  static_cast<int>((bgr >> 16) & 0xFFU));
}

} // namespace

Marker::Marker(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setFixedSize(kDiscDiameter, kDiscDiameter);
}

void Marker::setBackStyle(int style) {
    if (style != kTransparent && style != kOpaque) {
        throw std::invalid_argument("marker back style must be 0 or 1");
    }
    if (style != backStyle_) {
        backStyle_ = style;
        update();
    }
}

void Marker::setBackColor(std::uint32_t colour) {
    if (colour > 0xFFFFFFU) {
        throw std::invalid_argument("marker back colour must be 0xBBGGRR");
    }
    if (colour != backColor_) {
        backColor_ = colour;
        update();
    }
}

void Marker::paintEvent(QPaintEvent* /*event*/) {
    if (backStyle_ != kOpaque) {
        return;
    }
    // Drawn per pixel instead of with QPainter::drawEllipse: the disc must
    // come out the same on every paint engine, with no blended edge.
    QPainter painter(this);
    const qreal ratio = painter.paintEngine()->paintDevice()->devicePixelRatio();
    const QColor colour = colourOf(backColor_);
    if (disc_.isNull() || disc_.devicePixelRatio() != ratio || discColour_ != colour) {
        disc_ = discImage(ratio, colour);
        discColour_ = colour;
    }
    painter.drawImage(QPointF(0, 0), disc_);
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Marker.h"

#include <QColor>
#include <QPainter>
#include <stdexcept>

#include "window/MarkerGroups.h"

namespace {

// Half the width of the disc's span on a row: the pixels whose centres lie
// within the disc, so the edge is hard and the middle row spans the full
// diameter.
int discHalfSpan(int row) {
    const double radius = kDiscDiameter / 2.0;
    const double dy = row + 0.5 - radius;
    int half = 0;
    while (half < kDiscDiameter / 2 && (half + 1) * (half + 1) + dy * dy <= radius * radius) {
        ++half;
    }
    return half;
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
    // Row spans instead of QPainter::drawEllipse: the disc must come out the
    // same pixel for pixel on every paint engine, with no blended edge.
    QPainter painter(this);
    const QColor colour = colourOf(backColor_);
    const int centre = kDiscDiameter / 2;
    for (int row = 0; row < kDiscDiameter; ++row) {
        const int half = discHalfSpan(row);
        painter.fillRect(centre - half, row, 2 * half + 1, 1, colour);
    }
}

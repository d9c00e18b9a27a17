// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/BoardSurface.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

#include "window/GridImage.h"

namespace {
constexpr int kDesignWidth = 1016;
constexpr int kDesignHeight = 722;
} // namespace

BoardSurface::BoardSurface(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setCursor(Qt::CrossCursor);
}

QSize BoardSurface::sizeHint() const {
    return {kDesignWidth, kDesignHeight};
}

void BoardSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    // The painted device, not the widget: a grab or render into an image of
    // another ratio gets the picture drawn for that image.
    const qreal ratio = std::clamp(painter.paintEngine()->paintDevice()->devicePixelRatio(),
                                   GridPicture::kMinRatio, GridPicture::kMaxRatio);
    paintGrid(painter, gridRectsForRatio(ratio), event->rect());
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/BoardSurface.h"

#include <QPainter>

namespace {
constexpr int kDesignWidth = 1016;
constexpr int kDesignHeight = 722;
} // namespace

BoardSurface::BoardSurface(QImage picture, QWidget* parent)
    : QWidget(parent), picture_(std::move(picture)) {
    setAutoFillBackground(true);
    setCursor(Qt::CrossCursor);
}

QSize BoardSurface::sizeHint() const {
    return {kDesignWidth, kDesignHeight};
}

void BoardSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

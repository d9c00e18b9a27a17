// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/PictureButton.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {}

void PictureButton::setBackColor(const QColor& color) {
    backColor_ = color;
    update();
}

void PictureButton::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void PictureButton::setDownPicture(const QPixmap& picture) {
    downPicture_ = picture;
    update();
}

void PictureButton::setDisabledPicture(const QPixmap& picture) {
    disabledPicture_ = picture;
    update();
}

QPixmap PictureButton::currentPicture() const {
    if (!isEnabled() && !disabledPicture_.isNull()) {
        return disabledPicture_;
    }
    if (isDown() && !downPicture_.isNull()) {
        return downPicture_;
    }
    return picture_;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, backColor_.isValid() ? backColor_ : palette().button().color());

    // A raised bevel, sunk while pressed; a dark outline marks the button
    // that Enter presses.
    const bool sunken = isDown();
    QRect bevel = area;
    if (isDefault() && isEnabled()) {
        painter.setPen(palette().shadow().color());
        painter.drawRect(area.adjusted(0, 0, -1, -1));
        bevel = area.adjusted(1, 1, -1, -1);
    }
    qDrawWinButton(&painter, bevel, palette(), sunken, nullptr);

    const int shift = sunken ? 1 : 0;
    const QPixmap picture = currentPicture();
    const QFontMetrics metrics(font());
    const int textHeight = metrics.height();
    const int contentHeight = picture.height() + 2 + textHeight;
    int top = (area.height() - contentHeight) / 2 + shift;
    if (!picture.isNull()) {
        painter.drawPixmap((area.width() - picture.width()) / 2 + shift, top, picture);
    }
    top += picture.height() + 2;

    const QRect textRect(shift, top, area.width(), textHeight);
    style()->drawItemText(&painter, textRect,
                          Qt::AlignHCenter | Qt::AlignTop | Qt::TextShowMnemonic, palette(),
                          isEnabled(), text(), QPalette::ButtonText);

    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = area.adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/PictureButton.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

PictureButton::PictureButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(QSize(32, 32));
}

bool PictureButton::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && isEnabled() && !hasFocus() &&
        (focusPolicy() & Qt::TabFocus)) {
        setFocus(Qt::ShortcutFocusReason);
    }
    return QPushButton::event(event);
}

void PictureButton::setBackColor(const QColor& color) {
    backColor_ = color;
    update();
}

QIcon::Mode PictureButton::pictureMode() const {
    if (!isEnabled()) {
        return QIcon::Disabled;
    }
    return isDown() ? QIcon::Active : QIcon::Normal;
}

void PictureButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, backColor_);

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
    const int textHeight = fontMetrics().height();
    const int picture = iconSize().width();
    const int top = (area.height() - picture - 2 - textHeight) / 2 + shift;
    icon().paint(&painter, QRect((area.width() - picture) / 2 + shift, top, picture, picture),
                 Qt::AlignCenter, pictureMode());

    const QRect textRect(shift, top + picture + 2, area.width(), textHeight);
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

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/FirstFrame.h"

#include <QImage>
#include <QWidget>
#include <cmath>

void paintFirstFrameUnseen(QWidget& window) {
    // The screen's ratio and the X backing store's format: the glyphs are
    // drawn as the real frame will want them.
    const qreal ratio = window.devicePixelRatioF();
    const QSize size = window.size();
    QImage frame(static_cast<int>(std::ceil(size.width() * ratio)),
                 static_cast<int>(std::ceil(size.height() * ratio)), QImage::Format_RGB32);
    if (frame.isNull()) {
        return;
    }
    frame.setDevicePixelRatio(ratio);
    window.render(&frame);
}

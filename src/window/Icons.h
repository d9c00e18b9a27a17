// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

class QPainter;

// The window's pictures, drawn in code so they stay crisp at any size. Every
// picture is size x size pixels on a transparent background, drawn at `ratio`
// device pixels per pixel (the pixmap carries that ratio, so it shows at its
// size in pixels, sharp); a size below 1 gives a null pixmap.
namespace Icons {

// The highest device pixel ratio of the screens, 1 before the application
// exists: the default ratio of every picture.
qreal screenRatio();

// Round owl head with ear tufts and big eyes: window icon, Image3, Image4.
QPixmap mascot(int size = 32, qreal ratio = screenRatio());

// The mascot's drawing on a 100 x 100 square at the painter's origin, so that
// vector outputs (the scalable theme icon) share it; the caller scales.
void paintMascot(QPainter& painter);

// The mascot at any size a window manager or task bar asks for, drawn when
// first asked; it offers the sizes 16 to 64.
QIcon windowIcon();

// The new-question button: normal, disabled and pressed faces.
QPixmap smilingFace(int size = 32, qreal ratio = screenRatio());
QPixmap neutralFace(int size = 32, qreal ratio = screenRatio());
QPixmap laughingFace(int size = 32, qreal ratio = screenRatio());

// Red road sign with a white bar, for the exit button.
QPixmap noEntrySign(int size = 32, qreal ratio = screenRatio());

// Small hollow square, black outside and white inside so it shows on any
// background; the hot spot is its centre.
QCursor smallSquarePointer(qreal ratio = screenRatio());

} // namespace Icons

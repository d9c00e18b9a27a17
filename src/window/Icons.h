// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The window's pictures, drawn in code so they stay crisp at any size. Every
// picture is size x size device pixels (device pixel ratio 1) on a transparent
// background; a size below 1 gives a null pixmap.
namespace Icons {

// Round owl head with ear tufts and big eyes: window icon, Image3, Image4.
QPixmap mascot(int size = 32);

// The mascot at every size a window manager or task bar may ask for.
QIcon windowIcon();

// The new-question button: normal, disabled and pressed faces.
QPixmap smilingFace(int size = 32);
QPixmap neutralFace(int size = 32);
QPixmap laughingFace(int size = 32);

// Red road sign with a white bar, for the exit button.
QPixmap noEntrySign(int size = 32);

// Small hollow square, black outside and white inside so it shows on any
// background; the hot spot is its centre.
QCursor smallSquarePointer();

} // namespace Icons

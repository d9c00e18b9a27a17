#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>

class QPainter;

// The window's pictures, drawn in code so they stay crisp at any size. Every
// picture is size x size device pixels (device pixel ratio 1) on a transparent
// background; a size below 1 gives a null pixmap.
namespace Icons {

// Round owl head with ear tufts and big eyes: window icon, Image3, Image4.
QPixmap mascot(int size = 32);

// The mascot's drawing on a 100 x 100 square at the painter's origin, so that
// vector outputs (the scalable theme icon) share it; the caller scales.
void paintMascot(QPainter& painter);

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

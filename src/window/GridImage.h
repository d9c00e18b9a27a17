// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <vector>

class QPainter;

#include "window/GridPicture.h"

// The on-screen colour of each ink; the grey is what a 5-bit-per-channel
// level of 23 expands to.
QRgb gridInkColour(GridInk ink);

// The picture as an RGB32 image of its device size holding only the three ink
// colours, carrying the picture's ratio so that it paints one image pixel per
// device pixel.
QImage gridImage(const GridPicture& picture);

// The picture as rectangles of device pixels: a white square of the
// picture's size, then grey and black rectangles that cover exactly the
// pixels of their ink. Rows of equal runs merge into one rectangle, so the
// whole picture takes a few hundred rectangles instead of an image.
struct GridRects {
    int size = 0;
    double ratio = 1.0;
    std::vector<QRect> grey;
    std::vector<QRect> black;
};
GridRects gridRects(const GridPicture& picture);

// The rectangles for a device pixel ratio (taken to three decimals), found the
// first time a ratio is asked for and kept for the life of the process. GUI
// thread only.
const GridRects& gridRectsForRatio(qreal ratio);

// Paints the picture at the painter's origin, its design size in the
// painter's units, one rectangle pixel per device pixel when the device has
// the picture's ratio; `exposed` (painter units) limits the work to what is
// repainted.
void paintGrid(QPainter& painter, const GridRects& grid, const QRect& exposed);

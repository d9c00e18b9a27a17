// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QRgb>

#include "window/GridPicture.h"

// The on-screen colour of each ink; the grey is what a 5-bit-per-channel
// level of 23 expands to.
QRgb gridInkColour(GridInk ink);

// The picture as an RGB32 image of its device size holding only the three ink
// colours, carrying the picture's ratio so that it paints one image pixel per
// device pixel.
QImage gridImage(const GridPicture& picture);

// The same pixels kept compactly: one byte per pixel indexing the three ink
// colours, a quarter of the RGB32 image. Painting it gives the same colours.
QImage compactGridImage(const GridPicture& picture);

// The grid picture for a device pixel ratio (taken to three decimals), drawn
// the first time a ratio is asked for and kept, compact, for the life of the
// process. The returned images share the kept pixels. GUI thread only.
QImage gridImageForRatio(qreal ratio);

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

// The picture as a 705 x 705 RGB32 image holding only the three ink colours.
QImage gridImage(const GridPicture& picture);

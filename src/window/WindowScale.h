// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

// The window is designed for a client area of 1016 x 722 pixels. Where it
// gets less, everything in it is drawn smaller by one factor: the largest,
// up to 1, at which the design client area fits.
inline constexpr int kDesignClientWidth = 1016;
inline constexpr int kDesignClientHeight = 722;

double layoutFactor(int clientWidth, int clientHeight);

// A design length at the factor, to the nearest pixel.
int scaledLength(int designPixels, double factor);

// The client size the window asks for at start on a screen whose free area
// (panels and docks excluded) is the given size, with the window manager's
// frame and the menu bar around the client area: the design size, or the
// design size at the factor that fits it.
QSize startClientSize(int availableWidth, int availableHeight, int frameWidth, int frameHeight,
                      int menuHeight);

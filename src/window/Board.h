// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/MarkerGroup.h"

#include <QWidget>

class QPainter;

// The window's own surface: the grid picture at its top-left corner with the
// lit markers over it, the window's face colour elsewhere. Every control
// lies on it. The picture and the markers are drawn in design pixels times
// the board's factor (1 unless the window is smaller than its design size).
class Board : public QWidget {
    Q_OBJECT
public:
    Board(const MarkerGroupSet& markers, QWidget* parent = nullptr);

    double factor() const { return factor_; }
    void setFactor(double factor);
    // Repaints what lies on the given square of design pixels.
    void updateDesignRect(const QRect& rect);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    MarkerGroupSet markers_;
    double factor_ = 1.0;
};

// The Cartesian plane from -5 to 5 on a 705 x 705 square at the painter's
// origin, in its pixels: grey unit grid, black axes with arrowheads, ticks,
// numbers and axis letters. Qt maps it to the device, so it is sharp at any
// device pixel ratio and painter scale: a line never gets thinner than one
// device pixel. Drawn one to one, nothing is anti-aliased.
void paintGrid(QPainter& painter);

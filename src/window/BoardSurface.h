// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// The window's own surface: the grid picture drawn unscaled at its top-left
// corner, the window's face colour elsewhere. Every control lies on it. The
// picture is the one drawn for the ratio of the device being painted, so it
// is sharp on any screen; it is kept as rectangles, not pixels.
class BoardSurface : public QWidget {
    Q_OBJECT
public:
    explicit BoardSurface(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QWidget>

// The window's own surface: the grid picture drawn unscaled at its top-left
// corner, the window's face colour elsewhere. Every control lies on it.
class BoardSurface : public QWidget {
    Q_OBJECT
public:
    explicit BoardSurface(QImage picture, QWidget* parent = nullptr);

    const QImage& picture() const { return picture_; }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QImage picture_;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QPixmap>
#include <QPushButton>

// A push button in the graphical style: its own back colour, a picture above
// the caption, and separate pictures while pressed and while disabled.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);
    QColor backColor() const { return backColor_; }

    void setPicture(const QPixmap& picture);
    void setDownPicture(const QPixmap& picture);
    void setDisabledPicture(const QPixmap& picture);

    // The picture the button shows in its present state.
    QPixmap currentPicture() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColor_;
    QPixmap picture_;
    QPixmap downPicture_;
    QPixmap disabledPicture_;
};

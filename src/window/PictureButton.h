// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QIcon>
#include <QPushButton>

// A push button in the graphical style: its own back colour and a picture
// of its icon size (32 x 32 at design size) above the caption. The picture
// is the button's icon: its normal face, its disabled face, and its active
// face while pressed.
class PictureButton : public QPushButton {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent = nullptr);

    void setBackColor(const QColor& color);

    // The face the button shows in its present state.
    QIcon::Mode pictureMode() const;

protected:
    // An access key moves the focus to the button before clicking it, as a
    // mouse click does, so the control it leaves hears of it first.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColor_;
};

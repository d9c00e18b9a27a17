// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

// Keeps a window open while a modal box is up (the greeting, the credits, the
// farewell, the record): a close request (Alt+F4, the frame's close button)
// reaching the window then is ignored, so that the box's handler never runs
// on after its window is gone. On X11 Qt already holds such a request back;
// a Wayland compositor that does not know the box is modal sends it on.
class ModalBoxCloseGuard : public QObject {
public:
    explicit ModalBoxCloseGuard(QObject* window);

    bool eventFilter(QObject* watched, QEvent* event) override;
};

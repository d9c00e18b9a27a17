// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/ModalBoxCloseGuard.h"

#include <QApplication>
#include <QCloseEvent>

ModalBoxCloseGuard::ModalBoxCloseGuard(QObject* window) : QObject(window) {
    window->installEventFilter(this);
}

bool ModalBoxCloseGuard::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() == QEvent::Close && QApplication::activeModalWidget() != nullptr) {
        event->ignore();
        return true;
    }
    return false;
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Tavola.h"

#include "window/AnswerBox.h"
#include "window/PictureButton.h"

#include <QKeyEvent>
#include <QShowEvent>

Tavola::Tavola(QWidget* parent) : QMainWindow(parent) {
    setupUi(this);
}

MarkerGroup& Tavola::shapeGroup(int number) {
    return *shapeGroups.at(static_cast<std::size_t>(number - 1));
}

void Tavola::moveFocusTo(QWidget* control) {
    QWidget* previous = focusWidget();
    control->setFocus(Qt::OtherFocusReason);
    // Qt sends focus events only within the active window. A window that
    // receives keys without being active (no window manager, or one that
    // does not activate it) still has its ordinate box left by this move.
    if (!isActiveWindow() && previous == TXTANSWER && control != TXTANSWER) {
        emit TXTANSWER->lostFocus();
    }
}

void Tavola::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShowDone_ && !event->spontaneous()) {
        firstShowDone_ = true;
        emit firstShown();
    }
}

void Tavola::keyPressEvent(QKeyEvent* event) {
    // The new-question button is the window's default button: while it is
    // enabled, Enter presses it from wherever the text boxes do not take it.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && cmdNext->isEnabled() &&
        !gameEnded) {
        cmdNext->click();
        event->accept();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/Tavola.h"

#include "window/AnswerBox.h"
#include "window/Board.h"
#include "window/PictureButton.h"
#include "window/WindowScale.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>
#include <algorithm>

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

namespace {
// How long after it first appears the window follows its frame into the
// screen's free area; later moves are the user's.
constexpr qint64 kSettlingMs = 2000;
} // namespace

void Tavola::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!settling_.isValid() && windowHandle() != nullptr) {
        windowHandle()->installEventFilter(this);
    }
    if (!firstShowDone_ && !event->spontaneous()) {
        firstShowDone_ = true;
        emit firstShown();
    }
}

bool Tavola::eventFilter(QObject* watched, QEvent* event) {
    if (watched != windowHandle()) {
        return QMainWindow::eventFilter(watched, event);
    }
    const QEvent::Type type = event->type();
    if (!settling_.isValid() && type == QEvent::Expose && windowHandle()->isExposed()) {
        settling_.start();
        fitFrameToScreen();
        // A frame whose size the window manager tells late moves nothing.
        for (const int ms : {250, 1000, int{kSettlingMs}}) {
            QTimer::singleShot(ms, this, [this] { fitFrameToScreen(); });
        }
    } else if (settling_.isValid() && (type == QEvent::Move || type == QEvent::Resize)) {
        if (settling_.elapsed() > kSettlingMs) {
            windowHandle()->removeEventFilter(this);
        } else {
            fitFrameToScreen();
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void Tavola::fitFrameToScreen() {
    const QRect available = screen()->availableGeometry();
    if (available.contains(frameGeometry()) || isMaximized() || isFullScreen()) {
        return;
    }
    const QSize client = startClientSize(this);
    const int menu = menuBar()->height();
    if (client.width() < board->width() || client.height() < board->height()) {
        resize(std::min(width(), client.width()), std::min(height(), client.height() + menu));
    }
    // The frame's top-left corner inside the free area, the rest with it.
    const QRect frame = frameGeometry();
    const QPoint corner(std::clamp(frame.left(), available.left(),
                                   std::max(available.left(), available.right() - frame.width())),
                        std::clamp(frame.top(), available.top(),
                                   std::max(available.top(), available.bottom() - frame.height())));
    if (corner != frame.topLeft()) {
        move(corner);
    }
}

void Tavola::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    // The board fills the client area under the menu: its size, as the
    // window manager gave it, sets the factor.
    const double factor = layoutFactor(board->width(), board->height());
    if (factor != board->factor()) {
        layOut(factor);
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

void Tavola::closeEvent(QCloseEvent* event) {
    // Qt's X11 platform holds a close back while a modal box waits, but on
    // Wayland a compositor's close reaches the window: it would leave the
    // farewell or record box standing alone.
    if (QApplication::activeModalWidget() != nullptr) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/TavolaUi.h"

#include <QElapsedTimer>
#include <QMainWindow>
#include <QString>
#include <cstdint>

// The game's one window: the board with its 121 point markers on the left,
// the countdown, the answer row, the scores and the player's name on the
// right, the record along the bottom. It holds the controls and the
// window-level fields; the handlers that give them a meaning live in the
// subsystems above (questions/, clock/, game/), which reach the window's
// events through the controls' own signals and firstShown().
class Tavola : public QMainWindow, public TavolaUi {
    Q_OBJECT
public:
    explicit Tavola(QWidget* parent = nullptr);

    // Shape1 .. Shape22 by number.
    MarkerGroup& shapeGroup(int number);

    // Moves the focus by code. Leaving the ordinate box this way reports its
    // lost focus even while the window is not the active one, when Qt itself
    // sends no focus events.
    void moveFocusTo(QWidget* control);

    // Window-level fields.
    std::int16_t correctCount = 0;
    std::int16_t wrongCount = 0;
    QString expectedAnswer;
    QString recordDir;
    // Set once the game has ended: no later event changes the window.
    bool gameEnded = false;

signals:
    // The window has appeared for the first time; later activations (after a
    // dialog or another application) do not repeat it.
    void firstShown();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Shrinks the window, frame included, into the screen's free area when
    // the frame the window manager gave it leaves part of it outside.
    void fitFrameToScreen();

    bool firstShowDone_ = false;
    // The window manager frames and places the window as it first shows it,
    // and may tell the frame's size or move the frame a moment later: the
    // fit is checked again on each move and resize while the window settles.
    QElapsedTimer settling_;
};

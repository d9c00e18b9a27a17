// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "window/TavolaUi.h"

#include <QMainWindow>
#include <QString>
#include <cstdint>

// The game's one window: the board with its 121 point markers on the left,
// the countdown, the answer row, the scores and the player's name on the
// right, the record along the bottom. It holds the controls and the
// window-level fields; the handlers that give them a meaning live in the
// subsystems above (questions/, clock/, game/), which reach the window's
// events through the controls' own signals and firstShown().
//
// Only the timer exists at first; build() makes everything else, so that the
// game can ask the player's name before the window costs anything. Showing
// the window builds it if nothing did before.
class Tavola : public QMainWindow, public TavolaUi {
    Q_OBJECT
public:
    explicit Tavola(QWidget* parent = nullptr);
    ~Tavola() override;

    // Builds the controls, the board and the menu; later calls do nothing.
    void build();
    bool isBuilt() const { return built_; }
    void setVisible(bool visible) override;

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
    // The controls exist: their events can be connected.
    void built();
    // The window has appeared for the first time; later activations (after a
    // dialog or another application) do not repeat it.
    void firstShown();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool built_ = false;
    bool firstShowDone_ = false;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GamePlatform.h"

#include <QPointer>
#include <QWidget>
#include <random>

class QDialog;

// The game's platform on Qt. Boxes are Qt's own input and message boxes,
// shown as plain text so that a typed name is never read as markup, and
// never narrower than their title; the input box takes only what the record
// can keep. Draws come from a generator reseeded from the clocks at full
// resolution, so two questions within one second still draw independently.
// The end leaves the event loop with the status, which main() returns.
class QtPlatform : public GamePlatform {
public:
    // Seeded from the clock at once, so it never runs on a fixed default seed.
    QtPlatform();

    void setParentWindow(QWidget* parent) { parent_ = parent; }

    QString inputBox(const QString& prompt, const QString& title) override;
    void messageBox(const QString& text, const QString& title,
                    const QString& description = QString()) override;
    QString shortDate() override;
    QString recordDirectory() override;
    void terminate(int exitStatus) override;
    void reseedFromClock() override;
    double next() override;

    // The width a box needs to show its whole title in the window frame: the
    // title in a bold title-bar font plus room for the frame's buttons.
    static int titleWidth(const QString& title);

private:
    QWidget* visibleParent() const;
    static void holdTitle(QDialog& box);

    QPointer<QWidget> parent_;
    std::mt19937_64 engine_;
};

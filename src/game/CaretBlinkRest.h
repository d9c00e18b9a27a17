// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QTimer>

// A blinking caret wakes the program twice a second for as long as the
// pupil thinks. After a while without keys or mouse the caret stops blinking
// and stays drawn; the next input restores the platform's blinking.
class CaretBlinkRest : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 10000;

    // Watches the whole application's input from now on.
    explicit CaretBlinkRest(QObject* parent = nullptr);
    ~CaretBlinkRest() override;

    bool isResting() const { return resting_; }
    bool isCountingQuiet() const { return quiet_.isActive(); }

    // The quiet time has passed: the caret stops blinking.
    void rest();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void wake();

    QTimer quiet_;
    int platformFlashTime_ = 0;
    bool resting_ = false;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLineEdit>
#include <functional>

// A single-line text box of the window. Its key-press handler sees each
// character key with a cancellable character code; whatever reaches the box
// by another route (paste, drop, input method) is held to what typing could
// put there. It reports losing the focus only when the focus moves to
// another control of the same window, not when the window itself is
// deactivated or a menu or dialog opens.
class AnswerBox : public QLineEdit {
    Q_OBJECT
public:
    explicit AnswerBox(QWidget* parent = nullptr);

    // Receives the character code; setting it to 0 cancels the key.
    std::function<void(int& keyAscii)> onKeyPress;

signals:
    void lostFocus();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
};

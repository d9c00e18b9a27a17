// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/AnswerBox.h"

#include "window/CharacterKey.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>

namespace {
// Digits and minus signs only. A plain check: a regular expression would
// load and compile a whole engine for four boxes.
class DigitsAndMinusValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override {
        for (const QChar character : input) {
            if (character != QLatin1Char('-') &&
                (character < QLatin1Char('0') || character > QLatin1Char('9'))) {
                return Invalid;
            }
        }
        return Acceptable;
    }
};
} // namespace

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent) {
    // Typing can only put digits and minus signs here; the validator holds
    // pasted, dropped and composed text to the same.
    setValidator(new DigitsAndMinusValidator(this));
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
}

void AnswerBox::keyPressEvent(QKeyEvent* event) {
    const std::optional<int> code = characterCode(*event);
    if (!code) {
        // Alt combinations that are no shortcut type nothing.
        if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    int keyAscii = *code;
    if (onKeyPress) {
        onKeyPress(keyAscii);
    }
    // A cancelled key, and any control character but Backspace, edits
    // nothing; Enter in particular must not travel on to the window.
    if (keyAscii == 0 || (*code < 32 && *code != 8)) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void AnswerBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    // The window losing activation, a menu or dialog opening, and the menu
    // bar taking the keyboard (Alt, or a menu's access key) leave nothing.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason) {
        return;
    }
    const QWidget* next = QApplication::focusWidget();
    if (next != nullptr && next != this && next->window() == window()) {
        emit lostFocus();
    }
}

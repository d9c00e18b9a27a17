// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/AnswerBox.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>
#include <optional>

namespace {

// The character code a key press types, as a key-press handler of the window
// sees it: Backspace 8, Enter 13, Escape 27, Ctrl+letter its control
// character, a printable key its character. Keys that type nothing (Tab,
// arrows, Delete, Home, End, function keys) have none and keep their usual
// editing and focus behaviour.
std::optional<int> characterCode(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
        return std::nullopt;
    default:
        break;
    }
    if (event.modifiers() & Qt::ControlModifier) {
        const int key = event.key();
        if (key >= Qt::Key_A && key <= Qt::Key_Z) {
            return key - Qt::Key_A + 1;
        }
        if (key >= Qt::Key_BracketLeft && key <= Qt::Key_Underscore) {
            return key - Qt::Key_BracketLeft + 27;
        }
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.isEmpty() || text.at(0).unicode() == 0x7f) {
        return std::nullopt;
    }
    return text.at(0).unicode();
}

// Digits and minus signs only. A plain check: a regular expression would
// load and compile a whole engine for two boxes.
class DigitsAndMinusValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& /*position*/) const override {
        const auto allowed = [](QChar c) {
            return c == QLatin1Char('-') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
        };
        return std::all_of(input.cbegin(), input.cend(), allowed) ? Acceptable : Invalid;
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
    // Alt combinations that are no shortcut type nothing.
    if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
        event->accept();
        return;
    }
    const std::optional<int> code = characterCode(*event);
    if (!code) {
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

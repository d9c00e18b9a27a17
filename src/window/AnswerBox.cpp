// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/AnswerBox.h"

#include "window/CharacterKey.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

AnswerBox::AnswerBox(QWidget* parent) : QLineEdit(parent) {
    // Typing can only put digits and minus signs here; the validator holds
    // pasted, dropped and composed text to the same.
    setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[-0-9]*")), this));
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setDragEnabled(false);
    setFrame(true);
    setTextMargins(0, 0, 0, 0);
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
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
        return;
    }
    const QWidget* next = QApplication::focusWidget();
    if (next != nullptr && next != this && next->window() == window()) {
        emit lostFocus();
    }
}

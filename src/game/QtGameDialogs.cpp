// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/QtGameDialogs.h"

#include <QInputDialog>
#include <QMessageBox>

QWidget* QtGameDialogs::visibleParent() const {
    return (parent_ && parent_->isVisible()) ? parent_.data() : nullptr;
}

QString QtGameDialogs::inputBox(const QString& prompt, const QString& title) {
    QInputDialog box(visibleParent());
    box.setWindowTitle(title);
    box.setLabelText(prompt);
    box.setTextValue(QString());
    box.setInputMode(QInputDialog::TextInput);
    return box.exec() == QDialog::Accepted ? box.textValue() : QString();
}

void QtGameDialogs::messageBox(const QString& text, const QString& title) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, visibleParent());
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameDialogs.h"

#include <QPointer>
#include <QWidget>

// Qt's own input and message boxes, shown as plain text so that a typed name
// is never read as markup.
class QtGameDialogs : public GameDialogs {
public:
    void setParentWindow(QWidget* parent) { parent_ = parent; }

    QString inputBox(const QString& prompt, const QString& title) override;
    void messageBox(const QString& text, const QString& title) override;

private:
    QWidget* visibleParent() const;

    QPointer<QWidget> parent_;
};

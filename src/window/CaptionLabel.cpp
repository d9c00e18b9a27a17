// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/CaptionLabel.h"

#include <QAccessible>

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // Text starts at the border, with no indent of its own.
    setIndent(0);
}

void CaptionLabel::setCaption(const QString& caption) {
    caption_ = caption;
    // QLabel sends a change notice of its own only while it has no accessible
    // name: a name goes in before the text and an empty one after it, so no
    // change is told twice.
    const bool nameFirst = spokenName_ && !spokenName_(displayText(caption)).isEmpty();
    bool renamed = nameFirst && updateAccessibleName();
    setText(displayText(caption));
    if (!nameFirst) {
        renamed = updateAccessibleName();
    }
    if (autoSize_) {
        fitToCaption();
    }
    if (alerts_ && !caption.isEmpty()) {
        announce(renamed);
    }
    emit captionChanged();
}

void CaptionLabel::setAutoSize(bool autoSize) {
    autoSize_ = autoSize;
}

void CaptionLabel::placeAt(const QRect& geometry) {
    setGeometry(geometry);
    if (fitted_) {
        fitToCaption();
    }
}

void CaptionLabel::setSpokenName(SpokenName spokenName, bool alerts) {
    spokenName_ = std::move(spokenName);
    alerts_ = alerts;
    updateAccessibleName();
}

void CaptionLabel::refreshSpokenName() {
    updateAccessibleName();
}

bool CaptionLabel::updateAccessibleName() {
    if (!spokenName_) {
        return false;
    }
    const QString name = spokenName_(displayText(caption_));
    // Only a changed name is news; setting it sends Qt's own change notice.
    if (name == accessibleName()) {
        return false;
    }
    setAccessibleName(name);
    return true;
}

void CaptionLabel::announce(bool renamed) {
    // A repeated message is news as well, though its name did not change.
    if (!renamed) {
        QAccessibleEvent nameChanged(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&nameChanged);
    }
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

QString CaptionLabel::displayText(const QString& caption) {
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A record line ends in its terminator; it starts no visible second line.
    while (shown.endsWith(QLatin1Char('\n'))) {
        shown.chop(1);
    }
    return shown;
}

void CaptionLabel::fitToCaption() {
    // The top-left corner stays; only the size follows the text.
    resize(sizeHint());
    fitted_ = true;
}

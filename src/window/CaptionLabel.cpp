// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/CaptionLabel.h"

namespace {

QString displayText(const QString& caption) {
    QString shown = caption;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // A record line ends in its terminator; it starts no visible second line.
    while (shown.endsWith(QLatin1Char('\n'))) {
        shown.chop(1);
    }
    return shown;
}

} // namespace

CaptionLabel::CaptionLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
    // Text starts at the border, with no indent of its own.
    setIndent(0);
}

void CaptionLabel::setCaption(const QString& caption) {
    caption_ = caption;
    setText(displayText(caption));
    if (autoSize_) {
        fitToCaption();
    }
    emit captionChanged();
}

void CaptionLabel::placeAt(const QRect& geometry) {
    setGeometry(geometry);
    if (fitted_) {
        fitToCaption();
    }
}

void CaptionLabel::fitToCaption() {
    // The top-left corner stays; only the size follows the text.
    resize(sizeHint());
    fitted_ = true;
}

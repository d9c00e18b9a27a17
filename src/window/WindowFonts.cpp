// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/WindowFonts.h"

#include <QStringList>
#include <cmath>

namespace WindowFonts {

void installSubstitutions() {
    const QString sans = QStringLiteral("Liberation Sans");
    const QString serif = QStringLiteral("Liberation Serif");
    // Arial Black has no metric-compatible free face; the bold sans is the
    // closest that keeps the countdown inside its frame.
    for (const char* face : {"MS Sans Serif", "Microsoft Sans Serif", "Arial", "Arial Black"}) {
        QFont::removeSubstitutions(QString::fromLatin1(face));
        QFont::insertSubstitution(QString::fromLatin1(face), sans);
    }
    for (const char* face : {"Times New Roman", "MS Serif"}) {
        QFont::removeSubstitutions(QString::fromLatin1(face));
        QFont::insertSubstitution(QString::fromLatin1(face), serif);
    }
}

QFont font(const QString& face, double points, bool bold, bool italic) {
    QFont result(QFont::substitute(face));
    result.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    result.setBold(bold);
    result.setItalic(italic);
    return result;
}

} // namespace WindowFonts

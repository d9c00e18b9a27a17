// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFont>
#include <QString>

// The window's fonts are named after Windows faces. Qt's font substitution
// maps each to an installed metric-compatible face, and sizes are converted
// at 96 dots per inch so that text keeps its pixel size on any screen.
// font() asks for the installed face itself: a missing face would first cost
// a font search of the whole system for every face and style.
namespace WindowFonts {

void installSubstitutions();

QFont font(const QString& face, double points, bool bold = false, bool italic = false);

} // namespace WindowFonts

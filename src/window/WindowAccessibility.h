// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QObject;
class QWidget;
struct TavolaUi;

// How the window reads to assistive technology: Italian names and
// descriptions for what a pupil works with, announcements for the judgement
// and the counts, and nothing that tells where the lit point is. Labels that
// only repeat another control's name and the hidden target fields stay out
// of the accessible tree.
namespace WindowAccessibility {

// Installs the window's own accessible interfaces, once per process; call it
// before the first control is built.
void install();

// Names, descriptions and announcements of the window's controls.
void describe(TavolaUi& ui);

// The countdown's display as spoken: the whole minutes left, so its name
// changes once a minute rather than every second.
QString spokenCountdown(const QString& display);

// The record line as one sentence.
QString spokenRecord(const QString& holder, const QString& score);

} // namespace WindowAccessibility

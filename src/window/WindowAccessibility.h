// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

struct TavolaUi;

// How the window reads to assistive technology: Italian names and
// descriptions for what a pupil works with, names that follow the counts,
// and nothing that tells where the lit point is. Captions that only repeat a
// named control stay out of screen readers' way.
namespace WindowAccessibility {

// Names and descriptions of the window's controls.
void describe(TavolaUi& ui);

// The countdown's display as spoken: the whole minutes left, so its name
// changes once a minute rather than every second.
QString spokenCountdown(const QString& display);

} // namespace WindowAccessibility

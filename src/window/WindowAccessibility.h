// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;
struct TavolaUi;

// How the window reads to assistive technology: Italian names and
// descriptions for what a pupil works with, names that follow the counts,
// and nothing that tells where the lit point is. Captions that only repeat a
// named control stay out of screen readers' way.
namespace WindowAccessibility {

// Names and descriptions of the window's controls.
void describe(TavolaUi& ui);

// Puts the notice at the head of what a screen reader speaks for the
// control (its description) until another notice replaces it; an empty
// notice leaves the control's own description.
void setNotice(QWidget* control, const QString& notice);

// Tells that a new question waits in the control, which is about to take
// the focus: once, as the focus lands on it (the notice goes as soon as the
// control is left), or, where Qt can send one, as an announcement.
void tellNewQuestion(QWidget* control, const QString& notice);

// The three counts as one sentence: "Risposte esatte: 3. Risposte errate: 1.
// Risposte totali: 4."
QString spokenScore(const TavolaUi& ui);

// The countdown's display as spoken: the whole minutes left, so its name
// changes once a minute rather than every second.
QString spokenCountdown(const QString& display);

} // namespace WindowAccessibility

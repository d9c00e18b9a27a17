// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QCoreApplication;

// The game speaks Italian whatever the machine's language: Qt's own texts in
// the boxes (OK, Annulla) are loaded in Italian too. Returns whether Qt's
// Italian translation was found; without it the boxes keep Qt's English.
bool installItalianQtTexts(QCoreApplication& application);

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The number a text starts with, read the way the record file has always
// been read: blanks, tabs and line feeds are skipped anywhere while scanning
// (so " 1 2" gives 12), then an optional sign, digits, an optional decimal
// point with digits and an optional exponent (E, e, D or d, optional sign,
// digits). Scanning stops at the first character that cannot continue the
// number, a carriage return included. A text with no number gives 0; a
// number too large for a double gives an infinity of its sign.
double leadingNumber(const QString& text);

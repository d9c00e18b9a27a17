// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/keeper/RecordFiles.h"

#include <optional>
#include <string_view>

// The rules the record keeper and the game share about what a record pair
// may hold. Plain C++ with no toolkit, so the privileged keeper can use them.
namespace RecordRules {

// The number a text starts with, read the way the record file has always
// been read: blanks, tabs and line feeds are skipped anywhere while scanning
// (so " 1 2" gives 12), then an optional sign, digits, an optional decimal
// point with digits and an optional exponent (E, e, D or d, optional sign,
// digits). Scanning stops at the first character that cannot continue the
// number, a carriage return included. A text with no number gives 0; a
// number too large for a double gives an infinity of its sign.
double leadingNumber(std::string_view text);

// A score as the game writes it: plain decimal, an optional minus, no
// leading zeros, in the range of the game's 16-bit counters.
std::optional<int> plainScore(std::string_view text);

// A holder name that stays one plain line on screen and on disk and shows
// what it says: valid UTF-8 of at most RecordFiles::kMaxNameCharacters
// characters, none of them a control character, a line or paragraph
// separator, a bidirectional control, an invisible format character or a
// noncharacter; and unless it is empty, not blanks alone.
bool isHolderName(std::string_view utf8);

} // namespace RecordRules

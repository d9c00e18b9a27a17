// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The longest name the record keeps, in characters.
inline constexpr int kMaxHolderNameLength = 64;

// Whether the record keeper accepts the name as a record holder: at most
// kMaxHolderNameLength characters and no control, line-separator or
// bidirectional-control character, so the name stays one plain line.
bool isHolderName(const QString& name);

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/keeper/RecordFiles.h"

#include <QString>

// The longest name the record keeps, in characters.
inline constexpr int kMaxHolderNameLength = int(RecordFiles::kMaxNameCharacters);

// Whether the record keeper accepts the name as a record holder (see
// RecordRules::isHolderName): one plain line that shows what it says.
bool isHolderName(const QString& name);

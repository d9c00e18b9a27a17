// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/HolderNameValidator.h"

#include "records/HolderName.h"

QValidator::State HolderNameValidator::validate(QString& input, int&) const {
    return isHolderName(input) ? Acceptable : Invalid;
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/HolderName.h"

#include "records/keeper/RecordRules.h"

bool isHolderName(const QString& name) {
    // A lone surrogate would silently become a replacement character.
    const QByteArray utf8 = name.toUtf8();
    return name.isValidUtf16() &&
           RecordRules::isHolderName(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/HolderName.h"

#include "records/keeper/RecordRules.h"

bool isHolderName(const QString& name) {
    // A lone surrogate would silently become a replacement character.
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            return false;
        }
    }
    const QByteArray utf8 = name.toUtf8();
    return RecordRules::isHolderName(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/LeadingNumber.h"

#include "records/keeper/RecordRules.h"

double leadingNumber(const QString& text) {
    // Only ASCII characters can belong to a number, and UTF-8 keeps every
    // other character out of the ASCII range, so the scan is the same.
    const QByteArray utf8 = text.toUtf8();
    return RecordRules::leadingNumber(std::string_view(utf8.constData(), std::size_t(utf8.size())));
}

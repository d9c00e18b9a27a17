// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordDirectory.h"

QString withTrailingSeparator(const QString& path) {
    qsizetype end = path.size();
    while (end > 0 && path.at(end - 1) == u'/') {
        --end;
    }
    return path.left(end) + u'/';
}

QString GetSystemDir() {
    return withTrailingSeparator(QStringLiteral(TROVAPUNTI_RECORD_DIR));
}

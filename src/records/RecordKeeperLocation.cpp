// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordKeeperLocation.h"

#include <QFileInfo>

QString defaultRecordKeeper() {
    const QString running = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    const QString buildTree = QFileInfo(QStringLiteral(TROVAPUNTI_BUILD_DIR)).canonicalFilePath();
    if (!running.isEmpty() && !buildTree.isEmpty() && running.startsWith(buildTree + u'/')) {
        return QStringLiteral(TROVAPUNTI_BUILD_RECORD_KEEPER);
    }
    return QStringLiteral(TROVAPUNTI_RECORD_KEEPER);
}

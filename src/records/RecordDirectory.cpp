// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordDirectory.h"

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

bool isSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == u'\\' || c == u'/';
#else
    return c == u'/';
#endif
}

} // namespace

QString withTrailingSeparator(const QString& path) {
    qsizetype end = path.size();
    while (end > 0 && isSeparator(path.at(end - 1))) {
        --end;
    }
#ifdef Q_OS_WIN
    return path.left(end) + u'\\';
#else
    return path.left(end) + u'/';
#endif
}

QString GetSystemDir() {
#ifdef Q_OS_WIN
    wchar_t buffer[MAX_PATH];
    const UINT length = GetWindowsDirectoryW(buffer, MAX_PATH);
    // A zero or oversized length means the buffer holds no usable path.
    const int used = (length > 0 && length < MAX_PATH) ? int(length) : 0;
    return withTrailingSeparator(QString::fromWCharArray(buffer, used));
#else
    return withTrailingSeparator(QStringLiteral(TROVAPUNTI_RECORD_DIR));
#endif
}

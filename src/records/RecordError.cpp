// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordStore.h"

#include <cerrno>

QString RecordError::message() const {
    const bool isDirectory = path.endsWith(u'/') || path.endsWith(u'\\');
    const QString what = isDirectory ? QStringLiteral("la cartella dei record")
                                     : QStringLiteral("il file dei record");
    return QStringLiteral("Non riesco a usare %1 %2: %3.").arg(what, path, reason);
}

QString RecordReason::fromErrno(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return kPermissionDenied;
    case EROFS:
        return kReadOnlyDisk;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
    case EIO:
        return kWriteFailed;
    case ENOENT:
        return kMissingFile;
#ifdef ELOOP
    case ELOOP:
#endif
    case EISDIR:
    case ENXIO:
        return kNotARegularFile;
    case ENOTDIR:
        return kNotADirectory;
    case ENAMETOOLONG:
        return kPathTooLong;
    case EBUSY:
        return kBusy;
    default:
        return QStringLiteral("errore imprevisto del sistema (codice %1)").arg(error);
    }
}

QString RecordReason::keeperNotStarted(const QString& keeper) {
    return QStringLiteral("il programma che registra i record (%1) non si avvia").arg(keeper);
}

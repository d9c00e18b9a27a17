// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Why a record file or the record directory could not be used. The window
// shows message() to the player, who may need to pass it on to whoever looks
// after the computer.
struct RecordError {
    // The file, or the directory (ending in a separator) that failed.
    QString path;
    // A short plain-Italian explanation, such as "permesso negato".
    QString reason;

    QString message() const;
};

// The explanations used for RecordError::reason.
namespace RecordReason {
inline const QString kCannotCreateDirectory =
    QStringLiteral("la cartella non esiste e non si può creare");
inline const QString kNotADirectory = QStringLiteral("non è una cartella");
inline const QString kPermissionDenied = QStringLiteral("permesso negato");
inline const QString kReadOnlyDisk = QStringLiteral("il disco è protetto dalla scrittura");
inline const QString kNotARegularFile =
    QStringLiteral("non è un file normale (collegamento simbolico o cartella)");
inline const QString kMissingFile = QStringLiteral("non esiste");
inline const QString kWriteFailed = QStringLiteral("disco pieno o errore di scrittura");
inline const QString kReadFailed = QStringLiteral("errore di lettura dal disco");
inline const QString kBusy = QStringLiteral("il file dei record è occupato da un'altra partita");
inline const QString kPathTooLong = QStringLiteral("il percorso è troppo lungo");

// Explains a C errno value; unknown codes get a generic text with the number.
QString fromErrno(int error);
} // namespace RecordReason

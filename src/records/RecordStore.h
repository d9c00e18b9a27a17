// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/ReadResult.h"
#include "records/RecordError.h"
#include "records/SaveOutcome.h"

#include <QString>
#include <chrono>
#include <functional>
#include <optional>

class QSaveFile;

// The two record files, crt.txt (the best score) and ncrt.txt (its holder),
// in the directory shared by every player of the machine. Each operation
// opens and closes its files before returning. Anything other than a plain
// file in a record file's place (a symbolic link, a directory, a device) is
// refused, never followed, so a shared directory cannot be used to make the
// game read or overwrite someone else's file.
class RecordStore {
public:
    // A record file is one short line; reading stops here so that a huge or
    // binary file in its place cannot stall the game.
    static constexpr qint64 kMaxReadBytes = 4096;
    static constexpr std::chrono::milliseconds kDefaultLockTimeout{5000};

    // The directory may end in a separator or not.
    explicit RecordStore(const QString& directory);

    // The directory, ending in one separator.
    QString directory() const { return m_directory; }
    QString scorePath() const;
    QString namePath() const;
    // Held while a finished game compares and saves the record.
    QString lockPath() const;

    // Creates the directory, with any missing parents, if it is not there.
    std::optional<RecordError> ensureDirectory() const;

    // Creates an empty file with mode 0664 if nothing is at the path; leaves
    // an existing plain file as it is.
    std::optional<RecordError> ensureExists(const QString& path) const;

    // The file's text, line terminators included, decoded from the system's
    // 8-bit encoding; at most the first kMaxReadBytes bytes are read.
    ReadResult Leggifiletxt(const QString& nomefile) const;

    // Replaces the file's content with value and CR LF in one step, so a
    // reader sees the old line or the new one, never a mix; mode 0664.
    std::optional<RecordError> writeLine(const QString& path, const QString& value) const;

    // The end of a game: if score beats the stored record, stores scoreText
    // and holderName as the new pair. Games ending together on one machine
    // take turns, each comparing with what the previous one stored, and the
    // pair on disk always belongs to one player: if the second file cannot
    // be replaced the first is put back as it was.
    SaveOutcome saveIfBeaten(double score, const QString& scoreText,
                             const QString& holderName) const;

    // How long saveIfBeaten waits for another game's save to finish.
    void setLockTimeout(std::chrono::milliseconds timeout) { m_lockTimeout = timeout; }

    // Replaces the final step of every file replacement (QSaveFile::commit),
    // so tests can make it fail or stop just before it.
    void setCommitForTesting(std::function<bool(QSaveFile&)> commit);

private:
    std::optional<RecordError> replaceFile(const QString& path, const QByteArray& bytes,
                                           const std::function<bool(QSaveFile&)>& commit) const;
    bool restoreScore(bool existed, const QByteArray& bytes) const;

    QString m_directory;
    std::chrono::milliseconds m_lockTimeout = kDefaultLockTimeout;
    std::function<bool(QSaveFile&)> m_commit;
};

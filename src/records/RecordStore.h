// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/ReadResult.h"
#include "records/RecordError.h"
#include "records/RecordKeeperLocation.h"
#include "records/RecordPair.h"
#include "records/SaveOutcome.h"

#include <QString>
#include <QStringList>
#include <optional>

// The two record files, crt.txt (the best score) and ncrt.txt (its holder),
// in the directory shared by every player of the machine. The game itself
// holds no privilege and cannot enter that directory: the record keeper
// (trovapunti-record) creates, reads and saves the pair for it. Anything
// other than a plain file in a record file's place (a symbolic link, a
// directory, a device) is refused, never followed.
class RecordStore {
public:
    // The directory may end in a separator or not; keeper is the program
    // that creates and saves (tests pass their own).
    explicit RecordStore(const QString& directory, const QString& keeper = defaultRecordKeeper());

    // The directory, ending in one separator.
    QString directory() const { return directory_; }
    QString scorePath() const;
    QString namePath() const;
    // Held shared while the game reads, exclusively while the keeper writes.
    QString lockPath() const;
    QString keeperPath() const { return keeper_; }

    // A record file's text (scorePath() or namePath()), line terminators
    // included, decoded from the system's 8-bit encoding; at most the first
    // RecordFiles::kMaxReadBytes bytes are read.
    ReadResult Leggifiletxt(const QString& nomefile) const;

    // Both record files, read by the keeper under one shared lock so they
    // come from the same save, after it has made sure the directory (mode
    // 2770 when new), both files (empty when new) and the lock exist. A lock
    // held longer than RecordFiles::kReadLockWait gives a busy error.
    RecordPair readRecord() const;

    // The end of a game: if score beats the stored record, the keeper stores
    // scoreText and holderName as the new pair. Games ending together take
    // turns, each comparing with what the previous one stored, and the pair
    // on disk always belongs to one player.
    SaveOutcome saveIfBeaten(double score, const QString& scoreText,
                             const QString& holderName) const;

private:
    struct KeeperReply {
        int exitCode = -1;
        QByteArray output;
        QByteArray line;                  // the first line of output, trimmed
        std::optional<RecordError> error; // the keeper did not run to its end
    };

    KeeperReply runKeeper(const QStringList& arguments) const;
    RecordError errorFrom(const KeeperReply& reply) const;

    QString directory_;
    QString keeper_;
};

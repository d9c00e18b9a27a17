// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/keeper/RecordFiles.h"

#include <QString>
#include <optional>

// The one machine-wide directory shared by every player, ending in exactly
// one separator. It is fixed at build time; no environment variable or
// argument can move it.
QString GetSystemDir();

// Appends a separator unless the path already ends in one; several trailing
// separators collapse to one.
QString withTrailingSeparator(const QString& path);

// The record keeper the game runs: the installed one, or for a game run from
// the build tree (play.sh, the tests) the one built in that tree, found from
// the program's own place. No build path is compiled in, and nothing from
// the environment can move either.
QString defaultRecordKeeper();

// The longest name the record keeps, in characters.
inline constexpr int kMaxHolderNameLength = int(RecordFiles::kMaxNameCharacters);

// Whether the record keeper accepts the name as a record holder (see
// RecordRules::isHolderName): one plain line that shows what it says.
bool isHolderName(const QString& name);

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
inline const QString kNotARegularFile =
    QStringLiteral("non è un file normale (collegamento simbolico o cartella)");
inline const QString kWriteFailed = QStringLiteral("disco pieno o errore di scrittura");
inline const QString kBusy = QStringLiteral("il file dei record è occupato da un'altra partita");
inline const QString kNotClosed =
    QStringLiteral("la cartella dei record è aperta ad altri: va sistemata dall'amministratore");
inline const QString kKeeperStopped =
    QStringLiteral("il programma che registra i record si è interrotto");
inline const QString kBadScore = QStringLiteral("il punteggio non è un numero intero valido");
inline const QString kBadName = QStringLiteral("il nome deve stare su una riga, senza caratteri di "
                                               "controllo, e avere al massimo 64 caratteri");
} // namespace RecordReason

// The two record files read as one: both come from the same save. When
// they could not be read, error says why and both texts are empty.
struct RecordPair {
    QString score;
    QString holder;
    std::optional<RecordError> error;
};

// What the end-of-game save did. Saved is reported only once both record
// files hold the new pair; error is set exactly when the status is Failed.
struct SaveOutcome {
    enum class Status { Saved, NotBeaten, Failed };

    Status status = Status::Failed;
    std::optional<RecordError> error;
};

// The two record files, crt.txt (the best score) and ncrt.txt (its holder),
// in the directory shared by every player of the machine, and the teachers'
// results log beside them. The game itself holds no privilege and cannot
// enter that directory: the record keeper (trovapunti-record) creates, reads
// and saves the pair and appends to the log for it. Anything
// other than a plain file in a record file's place (a symbolic link, a
// directory, a device) is refused, never followed.
class RecordStore {
public:
    // The directory may end in a separator or not; keeper is the program
    // that creates and saves (tests pass their own).
    explicit RecordStore(const QString& directory, const QString& keeper = defaultRecordKeeper());

    // The directory, ending in one separator.
    QString directory() const { return directory_; }
    QString scorePath() const { return directory_ + QLatin1String(RecordFiles::kScore); }
    QString namePath() const { return directory_ + QLatin1String(RecordFiles::kName); }

    // Both record files, read by the keeper under one shared lock so they
    // come from the same save, after it has made sure the directory (mode
    // 2770 when new), both files (empty when new) and the lock exist. A lock
    // held longer than RecordFiles::kReadLockWait gives a busy error. Each
    // text keeps its line terminator, decoded from the system's 8-bit
    // encoding; at most RecordFiles::kMaxReadBytes bytes of each are read.
    RecordPair readRecord() const;

    // The end of a game: if the score beats the stored record, the keeper
    // stores scoreText and holderName as the new pair. Games ending together
    // take turns, each comparing with what the previous one stored, and the
    // pair on disk always belongs to one player.
    SaveOutcome saveIfBeaten(const QString& scoreText, const QString& holderName) const;

    // The end of a game with at least one answer: the keeper appends one
    // line to the results log. The game does not wait for it; the keeper runs
    // on by itself and reports a log it cannot write on the error stream and
    // to the system log. Returns false, after reporting the same way, if the
    // keeper could not even be started or the game had no answer or a name
    // the keeper refuses.
    bool logGameResult(int right, int wrong, bool setRecord, const QString& name) const;

private:
    RecordError errorFrom(const QByteArray& line) const;

    QString directory_;
    QString keeper_;
};

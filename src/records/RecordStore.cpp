// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordStore.h"

#include "records/keeper/RecordRules.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QProcess>
#include <QStringDecoder>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <syslog.h>

namespace {

// The keeper waits a bounded time for a stuck lock holder; a save itself
// takes milliseconds.
constexpr std::chrono::milliseconds kKeeperTimeout =
    RecordFiles::kSaveLockWait + std::chrono::milliseconds(10000);

struct KeeperReply {
    int exitCode = -1;
    QByteArray output;
    QByteArray line;                  // the first line of output, trimmed
    std::optional<RecordError> error; // the keeper did not run to its end
};

// Runs the keeper's command on the directory, with the further arguments.
KeeperReply runKeeper(const QString& keeper, const QString& directory, const QString& command,
                      const QStringList& more = {}) {
    KeeperReply reply;
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    process.setStandardInputFile(QProcess::nullDevice());
    // An argument vector, no shell; the keeper clears its environment itself.
    process.start(keeper,
                  QStringList{command, QDir::cleanPath(QDir(directory).absolutePath())} + more,
                  QIODevice::ReadOnly);
    if (!process.waitForStarted(int(kKeeperTimeout.count()))) {
        reply.error = RecordError{
            directory,
            QStringLiteral("il programma che registra i record (%1) non si avvia").arg(keeper)};
        return reply;
    }
    if (!process.waitForFinished(int(kKeeperTimeout.count())) ||
        process.exitStatus() != QProcess::NormalExit) {
        process.kill();
        process.waitForFinished();
        reply.error = RecordError{directory, RecordReason::kKeeperStopped};
        return reply;
    }
    reply.exitCode = process.exitCode();
    reply.output = process.readAllStandardOutput();
    reply.line = reply.output.left(reply.output.indexOf('\n')).trimmed();
    return reply;
}

// Explains an errno value the keeper answered; unknown codes get a generic
// text with the number.
QString fromErrno(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return RecordReason::kPermissionDenied;
    case EROFS:
        return QStringLiteral("il disco è protetto dalla scrittura");
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
    case EIO:
        return RecordReason::kWriteFailed;
    case ENOENT:
        return QStringLiteral("non esiste");
    case ENOTDIR:
        return RecordReason::kNotADirectory;
    case ENAMETOOLONG:
        return QStringLiteral("il percorso è troppo lungo");
    case EBUSY:
        return RecordReason::kBusy;
    default:
        return QStringLiteral("errore imprevisto del sistema (codice %1)").arg(error);
    }
}

// Decodes a record file's bytes from the system's 8-bit encoding.
QString decoded(const QByteArray& bytes) {
    // Stateless, so a character cut by the read limit still shows up as a
    // replacement character instead of vanishing.
    QStringDecoder decoder(QStringConverter::System, QStringConverter::Flag::Stateless);
    return decoder(bytes);
}

// A results log the keeper will not write: the game has no other way to
// tell the teachers.
void reportUnlogged(const QString& why) {
    const QByteArray text = QStringLiteral("the results log was not written: %1").arg(why).toUtf8();
    std::fprintf(stderr, "trovapunti: %s\n", text.constData());
    openlog("trovapunti", LOG_PID, LOG_USER);
    syslog(LOG_WARNING, "%s", text.constData());
    closelog();
}

} // namespace

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

QString defaultRecordKeeper() {
    // Every folder of a build tree that holds a program also holds CMake's
    // CMakeFiles; an installed program's folder does not. The tree's root is
    // the nearest folder above with CMakeCache.txt.
    const QString program = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    QDir folder = QFileInfo(program).absoluteDir();
    if (!program.isEmpty() && folder.exists(QStringLiteral("CMakeFiles"))) {
        do {
            if (folder.exists(QStringLiteral("CMakeCache.txt"))) {
                return folder.filePath(QStringLiteral(TROVAPUNTI_BUILD_RECORD_KEEPER));
            }
        } while (folder.cdUp());
    }
    return QStringLiteral(TROVAPUNTI_RECORD_KEEPER);
}

bool isHolderName(const QString& name) {
    // A lone surrogate would silently become a replacement character.
    return name.isValidUtf16() && RecordRules::isHolderName(name.toStdString());
}

QString RecordError::message() const {
    const QString what = path.endsWith(u'/') ? QStringLiteral("la cartella dei record")
                                             : QStringLiteral("il file dei record");
    return QStringLiteral("Non riesco a usare %1 %2: %3.").arg(what, path, reason);
}

RecordStore::RecordStore(const QString& directory, const QString& keeper)
    : directory_(withTrailingSeparator(directory)), keeper_(keeper) {}

// What the keeper's answer means for the player: an error line names the
// entry and an errno number or a word.
RecordError RecordStore::errorFrom(const QByteArray& line) const {
    const QList<QByteArray> words = line.split(' ');
    if (words.size() == 3 && words[0] == "error") {
        const QString path =
            words[1] == "." ? directory_ : directory_ + QString::fromUtf8(words[1]);
        // The keeper's words for failures that have no errno.
        static const QHash<QByteArray, QString> kWords{
            {"not-regular", RecordReason::kNotARegularFile},
            {"not-directory", RecordReason::kNotADirectory},
            {"cannot-create", RecordReason::kCannotCreateDirectory},
            {"busy", RecordReason::kBusy},
            {"not-closed", RecordReason::kNotClosed}};
        const QByteArray& code = words[2];
        bool isNumber = false;
        const int error = code.toInt(&isNumber);
        if (isNumber || kWords.contains(code)) {
            // A busy lock keeps the player from the record file they know.
            return RecordError{code == "busy" ? scorePath() : path,
                               isNumber ? fromErrno(error) : kWords.value(code)};
        }
    }
    if (line == "refused score") {
        return RecordError{scorePath(), RecordReason::kBadScore};
    }
    if (line == "refused name") {
        return RecordError{namePath(), RecordReason::kBadName};
    }
    return RecordError{directory_, RecordReason::kKeeperStopped};
}

RecordPair RecordStore::readRecord() const {
    const KeeperReply reply = runKeeper(keeper_, directory_, QStringLiteral("read"));
    // "record N M", then the two files' bytes.
    const QList<QByteArray> words = reply.line.split(' ');
    bool sizesRead = words.size() == 3 && words[0] == "record";
    const qsizetype scoreBytes = sizesRead ? words[1].toLongLong(&sizesRead) : 0;
    const qsizetype nameBytes = sizesRead ? words[2].toLongLong(&sizesRead) : 0;
    const qsizetype body = reply.output.indexOf('\n') + 1;
    if (reply.error || reply.exitCode != 0 || !sizesRead || scoreBytes < 0 || nameBytes < 0 ||
        reply.output.size() != body + scoreBytes + nameBytes) {
        return RecordPair{{}, {}, reply.error ? *reply.error : errorFrom(reply.line)};
    }
    return RecordPair{decoded(reply.output.mid(body, scoreBytes)),
                      decoded(reply.output.mid(body + scoreBytes)), std::nullopt};
}

SaveOutcome RecordStore::saveIfBeaten(const QString& scoreText, const QString& holderName) const {
    const auto failed = [](RecordError error) {
        return SaveOutcome{SaveOutcome::Status::Failed, std::move(error)};
    };
    const QByteArray scoreBytes = scoreText.toUtf8();
    if (!RecordRules::plainScore(
            std::string_view(scoreBytes.constData(), std::size_t(scoreBytes.size())))) {
        return failed(RecordError{scorePath(), RecordReason::kBadScore});
    }
    // Checked here too: an argument cannot carry a NUL, so the keeper would
    // never see the part of the name after one.
    if (!isHolderName(holderName)) {
        return failed(RecordError{namePath(), RecordReason::kBadName});
    }

    const KeeperReply reply =
        runKeeper(keeper_, directory_, QStringLiteral("save"), {scoreText, holderName});
    if (reply.error) {
        return failed(*reply.error);
    }
    if (reply.exitCode == 0 && reply.line == "saved") {
        return SaveOutcome{SaveOutcome::Status::Saved, std::nullopt};
    }
    if (reply.exitCode == 1 && reply.line == "not-beaten") {
        return SaveOutcome{SaveOutcome::Status::NotBeaten, std::nullopt};
    }
    return failed(errorFrom(reply.line));
}

bool RecordStore::logGameResult(int right, int wrong, bool setRecord, const QString& name) const {
    if (right < 0 || wrong < 0 || right + wrong == 0) {
        return false;
    }
    // An argument cannot carry a NUL, so the keeper would never see the
    // part of the name after one.
    if (!isHolderName(name)) {
        reportUnlogged(QStringLiteral("the name is not one plain line"));
        return false;
    }
    QProcess process;
    process.setProgram(keeper_);
    process.setArguments({QStringLiteral("log"), QDir::cleanPath(QDir(directory_).absolutePath()),
                          QString::number(right), QString::number(wrong),
                          setRecord ? QStringLiteral("yes") : QStringLiteral("no"), name});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        reportUnlogged(QStringLiteral("%1 did not start").arg(keeper_));
        return false;
    }
    return true;
}

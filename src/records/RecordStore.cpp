// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordStore.h"

#include "records/HolderName.h"
#include "records/RecordDirectory.h"
#include "records/keeper/RecordRules.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStringDecoder>

#include <chrono>

namespace {

// The keeper waits a bounded time for a stuck lock holder; a save itself
// takes milliseconds.
constexpr std::chrono::milliseconds kKeeperTimeout =
    RecordFiles::kSaveLockWait + std::chrono::milliseconds(10000);

RecordError errnoError(const QString& path, int error) {
    return RecordError{path, RecordReason::fromErrno(error)};
}

// Decodes a record file's bytes from the system's 8-bit encoding.
QString decoded(const QByteArray& bytes) {
    // Stateless, so a character cut by the read limit still shows up as a
    // replacement character instead of vanishing.
    QStringDecoder decoder(QStringConverter::System, QStringConverter::Flag::Stateless);
    return decoder(bytes);
}

} // namespace

RecordStore::RecordStore(const QString& directory, const QString& keeper)
    : directory_(withTrailingSeparator(directory)), keeper_(keeper) {}

QString RecordStore::scorePath() const {
    return directory_ + QString::fromLatin1(RecordFiles::kScore);
}

QString RecordStore::namePath() const {
    return directory_ + QString::fromLatin1(RecordFiles::kName);
}

QString RecordStore::lockPath() const {
    return directory_ + QString::fromLatin1(RecordFiles::kLock);
}

RecordStore::KeeperReply RecordStore::runKeeper(const QStringList& arguments) const {
    KeeperReply reply;
    QProcess keeper;
    keeper.setProcessChannelMode(QProcess::SeparateChannels);
    keeper.setStandardInputFile(QProcess::nullDevice());
    // An argument vector, no shell; the keeper clears its environment itself.
    keeper.start(keeper_, arguments, QIODevice::ReadOnly);
    if (!keeper.waitForStarted(int(kKeeperTimeout.count()))) {
        reply.error = RecordError{directory_, RecordReason::keeperNotStarted(keeper_)};
        return reply;
    }
    if (!keeper.waitForFinished(int(kKeeperTimeout.count()))) {
        keeper.kill();
        keeper.waitForFinished();
        reply.error = RecordError{directory_, RecordReason::kKeeperStopped};
        return reply;
    }
    if (keeper.exitStatus() != QProcess::NormalExit) {
        reply.error = RecordError{directory_, RecordReason::kKeeperStopped};
        return reply;
    }
    reply.exitCode = keeper.exitCode();
    reply.output = keeper.readAllStandardOutput();
    reply.line = reply.output.left(reply.output.indexOf('\n')).trimmed();
    return reply;
}

RecordError RecordStore::errorFrom(const KeeperReply& reply) const {
    if (reply.error) {
        return *reply.error;
    }
    const QList<QByteArray> words = reply.line.split(' ');
    if (words.size() == 3 && words[0] == "error") {
        const QString entry = QString::fromUtf8(words[1]);
        const QString path = entry == u'.' ? directory_ : directory_ + entry;
        const QByteArray& code = words[2];
        bool isNumber = false;
        const int error = code.toInt(&isNumber);
        if (isNumber) {
            return errnoError(path, error);
        }
        if (code == "not-regular") {
            return RecordError{path, RecordReason::kNotARegularFile};
        }
        if (code == "not-directory") {
            return RecordError{path, RecordReason::kNotADirectory};
        }
        if (code == "cannot-create") {
            return RecordError{path, RecordReason::kCannotCreateDirectory};
        }
        if (code == "busy") {
            return RecordError{scorePath(), RecordReason::kBusy};
        }
    }
    if (reply.line == "refused score") {
        return RecordError{scorePath(), RecordReason::kBadScore};
    }
    if (reply.line == "refused name") {
        return RecordError{namePath(), RecordReason::kBadName};
    }
    return RecordError{directory_, RecordReason::kKeeperStopped};
}

RecordPair RecordStore::readRecord() const {
    const QString directory = QDir::cleanPath(QDir(directory_).absolutePath());
    const KeeperReply reply = runKeeper({QStringLiteral("read"), directory});
    // "record N M", then the two files' bytes.
    const QList<QByteArray> words = reply.line.split(' ');
    bool sizesRead = words.size() == 3 && words[0] == "record";
    const qsizetype scoreBytes = sizesRead ? words[1].toLongLong(&sizesRead) : 0;
    const qsizetype nameBytes = sizesRead ? words[2].toLongLong(&sizesRead) : 0;
    const qsizetype body = reply.output.indexOf('\n') + 1;
    if (reply.error || reply.exitCode != 0 || !sizesRead || scoreBytes < 0 || nameBytes < 0 ||
        reply.output.size() != body + scoreBytes + nameBytes) {
        const RecordError error = errorFrom(reply);
        return RecordPair{ReadResult{QString(), error}, ReadResult{QString(), error}};
    }
    return RecordPair{ReadResult{decoded(reply.output.mid(body, scoreBytes)), std::nullopt},
                      ReadResult{decoded(reply.output.mid(body + scoreBytes)), std::nullopt}};
}

SaveOutcome RecordStore::saveIfBeaten(double score, const QString& scoreText,
                                      const QString& holderName) const {
    const auto failed = [](RecordError error) {
        return SaveOutcome{SaveOutcome::Status::Failed, std::move(error)};
    };
    const QByteArray scoreBytes = scoreText.toUtf8();
    const std::optional<int> plain = RecordRules::plainScore(
        std::string_view(scoreBytes.constData(), std::size_t(scoreBytes.size())));
    if (!plain || double(*plain) != score) {
        return failed(RecordError{scorePath(), RecordReason::kBadScore});
    }
    // Checked here too: an argument cannot carry a NUL, so the keeper would
    // never see the part of the name after one.
    if (!isHolderName(holderName)) {
        return failed(RecordError{namePath(), RecordReason::kBadName});
    }

    const QString directory = QDir::cleanPath(QDir(directory_).absolutePath());
    const KeeperReply reply = runKeeper({QStringLiteral("save"), directory, scoreText, holderName});
    if (!reply.error && reply.exitCode == 0 && reply.line == "saved") {
        return SaveOutcome{SaveOutcome::Status::Saved, std::nullopt};
    }
    if (!reply.error && reply.exitCode == 1 && reply.line == "not-beaten") {
        return SaveOutcome{SaveOutcome::Status::NotBeaten, std::nullopt};
    }
    return failed(errorFrom(reply));
}

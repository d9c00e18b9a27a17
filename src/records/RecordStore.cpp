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
#include <QThread>

#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Names the keeper uses inside the record directory.
const QString kScoreFile = QStringLiteral("crt.txt");
const QString kNameFile = QStringLiteral("ncrt.txt");
const QString kLockFile = QStringLiteral("trovapunti.lock");
constexpr const char* kIntent = "trovapunti.intent";

// The keeper waits up to 20 s for a stuck lock holder; a save itself takes
// milliseconds.
constexpr std::chrono::milliseconds kKeeperTimeout{30000};
constexpr std::chrono::milliseconds kReadLockTimeout{20000};
constexpr std::chrono::milliseconds kReadLockPoll{10};

RecordError errnoError(const QString& path, int error) {
    return RecordError{path, RecordReason::fromErrno(error)};
}

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

bool isRegularEntry(int directory, const char* name) {
    struct stat st {};
    return ::fstatat(directory, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode);
}

// Reads at most limit bytes of a plain file, opened relative to the
// directory descriptor (or AT_FDCWD). The file is checked on the opened
// descriptor, so nothing swapped in after a check is ever read, and a FIFO in
// its place cannot block the open.
ReadResult readBounded(int directory, const QByteArray& name, const QString& shownPath) {
    ReadResult result;
    const Descriptor fd(
        ::openat(directory, name.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0) {
        result.error = errnoError(shownPath, errno);
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.error = errnoError(shownPath, errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = RecordError{shownPath, RecordReason::kNotARegularFile};
        return result;
    }
    QByteArray bytes(RecordStore::kMaxReadBytes, Qt::Uninitialized);
    qint64 got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::read(fd.get(), bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.error = errnoError(shownPath, errno);
            return result;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    bytes.truncate(got);
    // Stateless, so a character cut by the read limit still shows up as a
    // replacement character instead of vanishing.
    QStringDecoder decoder(QStringConverter::System, QStringConverter::Flag::Stateless);
    result.content = decoder(bytes);
    return result;
}

// Waits for the shared lock in short steps, so a stuck holder makes the game
// give up with a message instead of freezing.
bool lockShared(int fd) {
    struct flock whole {};
    whole.l_type = F_RDLCK;
    whole.l_whence = SEEK_SET;
    const auto deadline = std::chrono::steady_clock::now() + kReadLockTimeout;
    while (::fcntl(fd, F_SETLK, &whole) != 0) {
        if ((errno != EACCES && errno != EAGAIN && errno != EINTR) ||
            std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        QThread::msleep(static_cast<unsigned long>(kReadLockPoll.count()));
    }
    return true;
}

} // namespace

RecordStore::RecordStore(const QString& directory, const QString& keeper)
    : directory_(withTrailingSeparator(directory)), keeper_(keeper) {}

QString RecordStore::scorePath() const {
    return directory_ + kScoreFile;
}

QString RecordStore::namePath() const {
    return directory_ + kNameFile;
}

QString RecordStore::lockPath() const {
    return directory_ + kLockFile;
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
    reply.line = keeper.readAllStandardOutput().trimmed();
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

std::optional<RecordError> RecordStore::ensureDirectory() const {
    const QString directory = QDir::cleanPath(QDir(directory_).absolutePath());
    const KeeperReply reply = runKeeper({QStringLiteral("create"), directory});
    if (reply.error || reply.exitCode != 0 || reply.line != "ok") {
        return errorFrom(reply);
    }
    return std::nullopt;
}

RecordPair RecordStore::readRecord() const {
    RecordPair pair;
    const auto failBoth = [&pair](const RecordError& error) {
        pair.score = ReadResult{QString(), error};
        pair.holder = ReadResult{QString(), error};
        return pair;
    };

    const QByteArray directory = QFile::encodeName(directory_);
    const Descriptor dir(::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() < 0) {
        return failBoth(errnoError(directory_, errno));
    }
    // Without a lock file nothing has ever been saved here by the keeper.
    const Descriptor lock(::openat(dir.get(), QFile::encodeName(kLockFile).constData(),
                                   O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (lock.get() < 0 && errno != ENOENT) {
        return failBoth(errnoError(lockPath(), errno));
    }
    if (lock.get() >= 0) {
        struct stat st {};
        if (::fstat(lock.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
            return failBoth(RecordError{lockPath(), RecordReason::kNotARegularFile});
        }
        if (!lockShared(lock.get())) {
            return failBoth(RecordError{scorePath(), RecordReason::kBusy});
        }
    }

    // A save killed between its two renames left its intent: the pair it
    // was committing is the record, and the keeper completes it next time.
    const bool committing = isRegularEntry(dir.get(), kIntent);
    const auto current = [&](const QString& name) {
        const QByteArray staged = QFile::encodeName(name + QStringLiteral(".new"));
        if (committing && isRegularEntry(dir.get(), staged.constData())) {
            return readBounded(dir.get(), staged, directory_ + name);
        }
        return readBounded(dir.get(), QFile::encodeName(name), directory_ + name);
    };
    pair.score = current(kScoreFile);
    pair.holder = current(kNameFile);
    return pair;
}

ReadResult RecordStore::Leggifiletxt(const QString& nomefile) const {
    if (nomefile == scorePath()) {
        return readRecord().score;
    }
    if (nomefile == namePath()) {
        return readRecord().holder;
    }
    return readBounded(AT_FDCWD, QFile::encodeName(nomefile), nomefile);
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

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/RecordStore.h"

#include "records/LeadingNumber.h"
#include "records/RecordDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

constexpr QFileDevice::Permissions kRecordMode = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                 QFileDevice::ReadGroup | QFileDevice::WriteGroup |
                                                 QFileDevice::ReadOther;

enum class EntryKind { Missing, Regular, Other, Unreachable };

struct Entry {
    EntryKind kind = EntryKind::Missing;
    int error = 0; // set for Unreachable
};

// What is at the path itself, without following a symbolic link.
Entry inspect(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        const int error = errno;
        return error == ENOENT ? Entry{} : Entry{EntryKind::Unreachable, error};
    }
    return Entry{S_ISREG(st.st_mode) ? EntryKind::Regular : EntryKind::Other};
#else
    const QFileInfo info(path);
    if (info.isSymLink() || info.isJunction()) {
        return Entry{EntryKind::Other};
    }
    if (!info.exists()) {
        return Entry{};
    }
    return Entry{info.isFile() ? EntryKind::Regular : EntryKind::Other};
#endif
}

RecordError errnoError(const QString& path, int error) {
    return RecordError{path, RecordReason::fromErrno(error)};
}

// Qt keeps the system's error code only as text, so callers clear errno
// before the failing call and pass what it holds afterwards.
RecordError fileError(const QString& path, const QFileDevice& file, int error) {
    if (error != 0) {
        return errnoError(path, error);
    }
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return RecordError{path, RecordReason::kPermissionDenied};
    case QFileDevice::ReadError:
        return RecordError{path, RecordReason::kReadFailed};
    default:
        return RecordError{path, RecordReason::kWriteFailed};
    }
}

std::optional<RecordError> requireRegularOrMissing(const QString& path) {
    const Entry entry = inspect(path);
    switch (entry.kind) {
    case EntryKind::Missing:
    case EntryKind::Regular:
        return std::nullopt;
    case EntryKind::Other:
        return RecordError{path, RecordReason::kNotARegularFile};
    case EntryKind::Unreachable:
        return errnoError(path, entry.error);
    }
    return std::nullopt;
}

struct RawRead {
    QByteArray bytes;
    std::optional<RecordError> error;
    bool missing = false;
};

#ifdef Q_OS_UNIX
class FdCloser {
public:
    explicit FdCloser(int fd) : m_fd(fd) {}
    ~FdCloser() { ::close(m_fd); }
    FdCloser(const FdCloser&) = delete;
    FdCloser& operator=(const FdCloser&) = delete;

private:
    int m_fd;
};
#endif

// Reads at most limit bytes of a plain file. The file is checked on the
// opened descriptor, so nothing swapped in after a check is ever read, and a
// FIFO in its place cannot block the open.
RawRead readBounded(const QString& path, qint64 limit) {
    RawRead result;
#ifdef Q_OS_UNIX
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        result.missing = errno == ENOENT;
        result.error = errnoError(path, errno);
        return result;
    }
    const FdCloser closer(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.error = errnoError(path, errno);
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.error = RecordError{path, RecordReason::kNotARegularFile};
        return result;
    }
    result.bytes.resize(limit);
    qint64 got = 0;
    while (got < limit) {
        const ssize_t n = ::read(fd, result.bytes.data() + got, size_t(limit - got));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            result.error = errnoError(path, errno);
            result.bytes.clear();
            return result;
        }
        if (n == 0) {
            break;
        }
        got += n;
    }
    result.bytes.truncate(got);
#else
    if (const Entry entry = inspect(path); entry.kind == EntryKind::Missing) {
        result.missing = true;
        result.error = RecordError{path, RecordReason::kMissingFile};
        return result;
    } else if (entry.kind != EntryKind::Regular) {
        result.error = RecordError{path, RecordReason::kNotARegularFile};
        return result;
    }
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = fileError(path, file, errno);
        return result;
    }
    result.bytes = file.read(limit);
#endif
    return result;
}

QString decodeLocal(const QByteArray& bytes) {
    // Stateless, so a character cut by the read limit still shows up as a
    // replacement character instead of vanishing.
    QStringDecoder decoder(QStringConverter::System, QStringConverter::Flag::Stateless);
    return decoder(bytes);
}

QByteArray encodeLine(const QString& value) {
    QStringEncoder encoder(QStringConverter::System);
    return encoder(value + QStringLiteral("\r\n"));
}

// Writes the new content into the save file's temporary copy, ready for the
// commit that puts it in place.
std::optional<RecordError> stage(QSaveFile& file, const QByteArray& bytes) {
    const QString path = file.fileName();
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        return fileError(path, file, errno);
    }
    errno = 0;
    if (!file.setPermissions(kRecordMode)) {
        return fileError(path, file, errno);
    }
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        return fileError(path, file, errno);
    }
    return std::nullopt;
}

bool plainCommit(QSaveFile& file) {
    return file.commit();
}

} // namespace

RecordStore::RecordStore(const QString& directory)
    : m_directory(withTrailingSeparator(directory)), m_commit(plainCommit) {}

QString RecordStore::scorePath() const {
    return m_directory + QStringLiteral("crt.txt");
}

QString RecordStore::namePath() const {
    return m_directory + QStringLiteral("ncrt.txt");
}

QString RecordStore::lockPath() const {
    return m_directory + QStringLiteral("trovapunti.lock");
}

void RecordStore::setCommitForTesting(std::function<bool(QSaveFile&)> commit) {
    m_commit = commit ? std::move(commit) : plainCommit;
}

std::optional<RecordError> RecordStore::ensureDirectory() const {
    // Without the trailing separator, so a file in the way is seen as one.
    const QFileInfo info(m_directory.size() > 1 ? m_directory.chopped(1) : m_directory);
    if (info.exists()) {
        if (info.isDir()) {
            return std::nullopt;
        }
        return RecordError{m_directory, RecordReason::kNotADirectory};
    }
    if (!QDir().mkpath(m_directory)) {
        return RecordError{m_directory, RecordReason::kCannotCreateDirectory};
    }
    return std::nullopt;
}

std::optional<RecordError> RecordStore::ensureExists(const QString& path) const {
    if (const Entry entry = inspect(path); entry.kind != EntryKind::Missing) {
        return requireRegularOrMissing(path);
    }
    // Exclusive creation fails on anything already there, a dangling
    // symbolic link included, so the new file cannot land elsewhere.
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        const int error = errno;
        // Another game starting at the same moment may have just made it.
        if (inspect(path).kind != EntryKind::Missing) {
            return requireRegularOrMissing(path);
        }
        return fileError(path, file, error);
    }
    // Explicit, so the umask cannot keep the other players out.
    errno = 0;
    if (!file.setPermissions(kRecordMode)) {
        return fileError(path, file, errno);
    }
    return std::nullopt;
}

ReadResult RecordStore::Leggifiletxt(const QString& nomefile) const {
    const RawRead raw = readBounded(nomefile, kMaxReadBytes);
    if (raw.error) {
        return ReadResult{QString(), raw.error};
    }
    return ReadResult{decodeLocal(raw.bytes), std::nullopt};
}

std::optional<RecordError> RecordStore::writeLine(const QString& path, const QString& value) const {
    return replaceFile(path, encodeLine(value), m_commit);
}

std::optional<RecordError>
RecordStore::replaceFile(const QString& path, const QByteArray& bytes,
                         const std::function<bool(QSaveFile&)>& commit) const {
    // QSaveFile would replace a symbolic link's target, so links are refused
    // before it opens and again just before the commit.
    if (auto error = requireRegularOrMissing(path)) {
        return error;
    }
    QSaveFile file(path);
    if (auto error = stage(file, bytes)) {
        return error;
    }
    if (auto error = requireRegularOrMissing(path)) {
        return error;
    }
    errno = 0;
    if (!commit(file)) {
        return fileError(path, file, errno);
    }
    return std::nullopt;
}

bool RecordStore::restoreScore(bool existed, const QByteArray& bytes) const {
    if (!existed) {
        return QFile::remove(scorePath());
    }
    return !replaceFile(scorePath(), bytes, plainCommit).has_value();
}

SaveOutcome RecordStore::saveIfBeaten(double score, const QString& scoreText,
                                      const QString& holderName) const {
    const auto failed = [](RecordError error) {
        return SaveOutcome{SaveOutcome::Status::Failed, std::move(error)};
    };

    // The lock makes the compare and both replacements one step for games
    // ending together; a lock left by a crashed game is taken over.
    QLockFile lock(lockPath());
    errno = 0;
    if (!lock.tryLock(m_lockTimeout)) {
        const int error = errno;
        switch (lock.error()) {
        case QLockFile::LockFailedError:
            return failed(RecordError{scorePath(), RecordReason::kBusy});
        case QLockFile::PermissionError:
            return failed(RecordError{m_directory, RecordReason::kPermissionDenied});
        default:
            return failed(error != 0 ? errnoError(m_directory, error)
                                     : RecordError{m_directory, RecordReason::kWriteFailed});
        }
    }

    // Compare with what is on disk now, not with what this game showed at
    // its start: another game may have saved since.
    const RawRead old = readBounded(scorePath(), kMaxReadBytes);
    if (old.error && !old.missing) {
        return failed(*old.error);
    }
    const double stored = leadingNumber(decodeLocal(old.bytes));
    if (!(stored < score)) {
        return SaveOutcome{SaveOutcome::Status::NotBeaten, std::nullopt};
    }

    if (auto error = requireRegularOrMissing(scorePath())) {
        return failed(*error);
    }
    if (auto error = requireRegularOrMissing(namePath())) {
        return failed(*error);
    }
    // Both new contents are fully written before either file is replaced, so
    // a full disk or a crash up to here leaves the old pair untouched.
    QSaveFile scoreFile(scorePath());
    QSaveFile nameFile(namePath());
    if (auto error = stage(scoreFile, encodeLine(scoreText))) {
        return failed(*error);
    }
    if (auto error = stage(nameFile, encodeLine(holderName))) {
        return failed(*error);
    }
    if (auto error = requireRegularOrMissing(scorePath())) {
        return failed(*error);
    }
    if (auto error = requireRegularOrMissing(namePath())) {
        return failed(*error);
    }

    errno = 0;
    if (!m_commit(scoreFile)) {
        return failed(fileError(scorePath(), scoreFile, errno));
    }
    errno = 0;
    if (!m_commit(nameFile)) {
        RecordError error = fileError(namePath(), nameFile, errno);
        if (!restoreScore(!old.missing, old.bytes)) {
            error.reason += QStringLiteral(", e il punteggio precedente non si è potuto rimettere");
        }
        return failed(error);
    }
    return SaveOutcome{SaveOutcome::Status::Saved, std::nullopt};
}

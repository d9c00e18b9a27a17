// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// trovapunti-record: the one part of Trovapunti that runs with a privilege.
//
// Installed owned by root, group games, mode 2755, it keeps the machine's
// record pair (crt.txt, the best score, and ncrt.txt, its holder) in the
// record directory, which is root:games 2770: only the group games (this
// program, and teachers an administrator adds) can enter it, so a file this
// program created for a pupil, though the pupil owns it, is out of the
// pupil's reach. Its commands:
//
//   trovapunti-record create DIRECTORY
//       makes sure the directory, both record files and the lock file exist
//       (missing files are created empty) and finishes or discards a save
//       that was cut short;
//   trovapunti-record read DIRECTORY
//       under the shared lock, creates missing record files empty and
//       answers the pair as the last save left it;
//   trovapunti-record save DIRECTORY SCORE NAME
//       under the lock, re-reads the stored score and, only if SCORE is still
//       higher, replaces both files as one step. Every save, done or refused,
//       is logged to the system log with the calling account;
//   trovapunti-record log DIRECTORY RIGHT WRONG RECORD NAME
//       under the lock, appends one line for a finished game to the teachers'
//       results log (see ResultsLog.h); RECORD is yes if the game set the
//       record. The account is the one that runs the keeper, not an argument.
//       A log that cannot be written is also reported on the error stream and
//       to the system log, since the game does not wait for the answer.
//
// It answers with one line on standard output and its exit status:
//   ok / saved / logged 0
//   record N M          0  followed by the score file's N bytes and the
//                          name file's M bytes
//   not-beaten          1
//   error ENTRY CODE    2  ENTRY is "." (the directory) or a file name in it;
//                          CODE is an errno number, or not-regular,
//                          not-directory, cannot-create, busy, not-a-log or
//                          not-closed (the machine's directory is open to
//                          others or not root's: nothing in it is trusted)
//   refused WHAT        64 WHAT is arguments, directory, score, name, counts
//                          or too-often (a results line within ten minutes
//                          of the account's last one)
//
// Why it is safe:
// - the group privilege is kept only for the one directory fixed at build
//   time; asked about any other directory it drops the privilege for good
//   before touching anything, so it can do there only what its caller could;
// - it clears its environment, sets its own umask, makes sure descriptors 0-2
//   are open, and validates every argument before any file is touched;
// - every open, create, rename and removal is relative to a descriptor of
//   the directory, never follows a symbolic link, and refuses anything that
//   is not a regular file; it never writes into an existing file, only into
//   files it has just created exclusively, which it then renames into place;
// - the lock is let go before any answer or system log line is written, so a
//   caller that never reads its answer holds up nobody; a reader needs only
//   read access to the lock file;
// - the lock is a POSIX record lock, which the kernel drops when its holder
//   dies and which holds across machines on a network file system; it is
//   taken by polling, so a stuck file server never leaves a keeper waiting
//   in an uninterruptible call;
// - a save writes both new files and flushes them, then records its intent,
//   then renames both; whoever next takes the lock finishes a save that has
//   an intent and discards one that has none, so a kill at any point leaves
//   the old pair or the new pair and no temporary file behind. Once the
//   intent is on disk the save has happened and is answered so.
// - the results log is only ever appended to, one line per write under the
//   lock; a line a kill or a full disk cut short is cut off again, so the
//   log holds whole lines only (appendLog).

#include "records/keeper/RecordRules.h"
#include "records/keeper/ResultsLog.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <syslog.h>
#include <time.h>
#include <unistd.h>

namespace {

using namespace RecordFiles;

// Only the group enters the directory; its files are the group's too.
constexpr mode_t kDirectoryMode = 02770;
constexpr mode_t kFileMode = 0660;

enum Status { kDone = 0, kNotBeaten = 1, kFailed = 2, kRefused = 64 };

// Where the run stands, so a failure can clean up what is its own.
int g_directory = -1;
int g_lock = -1;
bool g_staging = false;   // new files exist but no durable intent: discard on failure
bool g_committed = false; // the intent is on disk: the save has happened
// For the system log: a save's score as asked for.
std::optional<std::string> g_loggedScore;
bool g_logging = false; // a results line nobody waits for: failures are reported here
// Asked about the machine's record directory, where the keeper keeps its
// group privilege: only there are the directory's closure and the results
// log's limits enforced (elsewhere the caller could do by hand what it asks).
bool g_machineWide = false;
// For the system log: what a `log` call asked for.
std::string g_loggedGame;

#ifdef TROVAPUNTI_RECORD_KEEPER_DRILL
// Test builds only: die at the chosen system call, to prove that a kill
// anywhere leaves a consistent pair. The installed program has no such hook.
long g_stopAt = 0;
long g_step = 0;
void beforeSystemCall() {
    if (++g_step == g_stopAt) {
        std::raise(SIGKILL);
    }
}
#else
void beforeSystemCall() {}
#endif

// The name of the account that runs the keeper, from its real user id.
std::string accountName() {
    const uid_t uid = getuid();
    if (const passwd* entry = getpwuid(uid); entry != nullptr && entry->pw_name != nullptr) {
        return entry->pw_name;
    }
    return std::to_string(uid);
}

void systemLog(int priority, const std::string& text) {
    openlog("trovapunti-record", LOG_PID, LOG_USER);
    syslog(priority, "%s", text.c_str());
    closelog();
}

void releaseLock() {
    if (g_lock >= 0) {
        close(g_lock);
        g_lock = -1;
    }
}

// Answers and ends the run. The lock goes first, then the system log, and
// only then the standard streams: a caller that never reads its pipe holds
// up nobody but itself.
[[noreturn]] void answer(Status status, const std::string& line, const std::string& body = {}) {
    releaseLock();
    const std::string account =
        "account " + accountName() + " (uid " + std::to_string(getuid()) + ")";
    std::string report;
    if (g_loggedScore) {
        // One line for every save answered: who asked, for what score, and
        // what came of it. Any account may call the keeper directly, so this
        // is the teacher's trail.
        const std::string score =
            RecordRules::plainScore(*g_loggedScore) ? *g_loggedScore : "invalid";
        systemLog(line == "saved" ? LOG_NOTICE : LOG_INFO,
                  "save by " + account + ", score " + score + ": " + line);
    }
    if (g_logging) {
        // So is every results line, written or not.
        systemLog(status == kDone ? LOG_INFO : LOG_WARNING,
                  "log by " + account + ", " + g_loggedGame + ": " + line);
        if (status != kDone) {
            report =
                std::string("the results log ") + ResultsLog::kFile + " was not written: " + line;
        }
    }
    if (!report.empty()) {
        std::fprintf(stderr, "trovapunti-record: %s\n", report.c_str());
    }
    const std::string reply = line + '\n' + body;
    std::fwrite(reply.data(), 1, reply.size(), stdout);
    std::fflush(stdout);
    std::exit(status);
}

[[noreturn]] void refuse(const char* what) {
    answer(kRefused, std::string("refused ") + what);
}

[[noreturn]] void failWith(const char* entry, const std::string& code) {
    if (g_committed) {
        // The next run under the lock completes what is left: the record is
        // the caller's already.
        answer(kDone, "saved");
    }
    if (g_staging) {
        // Before the intent is on disk the new files are only debris.
        unlinkat(g_directory, kIntent, 0);
        unlinkat(g_directory, kScoreStaged, 0);
        unlinkat(g_directory, kNameStaged, 0);
    }
    answer(kFailed, std::string("error ") + entry + ' ' + code);
}

[[noreturn]] void fail(const char* entry, int error) {
    // A link, a directory or a FIFO where a plain file belongs.
    if (error == ELOOP || error == EISDIR || error == ENXIO) {
        failWith(entry, "not-regular");
    }
    failWith(entry, std::to_string(error));
}

// Makes one system call about the entry. A failure stops the run with its
// own cause, unless its errno is the tolerated one; gives the call's result.
template <typename Call> auto checked(const char* entry, int tolerated, Call call) {
    beforeSystemCall();
    const auto result = call();
    if (result < 0 && errno != tolerated) {
        fail(entry, errno);
    }
    return result;
}

template <typename Call> auto checked(const char* entry, Call call) {
    return checked(entry, 0, call);
}

// Stops the run unless the open file is a regular one with no second name
// (a failing fstat keeps its own cause); gives its status. The log and the
// lock are used in place, so a hard link made while the directory was open
// would let its maker read, change or hold them from outside.
struct stat requireUnlinked(int fd, const char* name) {
    struct stat st = {};
    checked(name, [&] { return fstat(fd, &st); });
    if (!S_ISREG(st.st_mode) || st.st_nlink != 1) {
        failWith(name, "not-regular");
    }
    return st;
}

// 1 regular file, 0 absent, -1 something else.
int entryKind(const char* name) {
    struct stat st = {};
    if (checked(name, ENOENT,
                [&] { return fstatat(g_directory, name, &st, AT_SYMLINK_NOFOLLOW); }) != 0) {
        return 0;
    }
    return S_ISREG(st.st_mode) ? 1 : -1;
}

void syncDirectory() {
    // Some file systems cannot flush a directory; they order it themselves.
    checked(".", EINVAL, [] { return fsync(g_directory); });
}

void removeEntry(const char* name) {
    checked(name, ENOENT, [name] { return unlinkat(g_directory, name, 0); });
}

// Stops the run unless the machine's record directory is closed: owned by
// root (or by the account running an unmarked keeper), of the keeper's
// group (unless root asks), and shut to everybody else. Anything in an open directory may have
// been planted or held by any account, so nothing in it is trusted.
void requireClosed(const std::string& path) {
    struct stat st = {};
    checked(".", [&] { return fstat(g_directory, &st); });
    const bool owned = st.st_uid == 0 || (st.st_uid == geteuid() && getegid() == getgid());
    // Root, who could change the directory anyway, may use it whatever its
    // group (a keeper not yet marked, say); every other caller only through
    // the keeper's own group.
    const bool group = st.st_gid == getegid() || getuid() == 0;
    if (owned && group && (st.st_mode & 07) == 0) {
        return;
    }
    char mode[8] = {};
    std::snprintf(mode, sizeof mode, "%04o", unsigned(st.st_mode & 07777));
    const std::string report = "the record directory " + path + " is not closed (owner " +
                               std::to_string(st.st_uid) + ", group " + std::to_string(st.st_gid) +
                               ", mode " + mode +
                               "); nothing in it is used until prepare-record-dir.sh has set it up";
    systemLog(LOG_ERR, report);
    std::fprintf(stderr, "trovapunti-record: %s\n", report.c_str());
    failWith(".", "not-closed");
}

// Opens the record directory, making it first if it is missing and may be made.
void openDirectory(const std::string& path, bool create) {
    constexpr int kFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;
    beforeSystemCall();
    g_directory = open(path.c_str(), kFlags);
    bool made = false;
    if (g_directory < 0 && create && (errno == ENOENT || errno == ENOTDIR)) {
        made = mkdir(path.c_str(), kDirectoryMode & 0777) == 0;
        if (!made && errno != EEXIST) {
            failWith(".", "cannot-create");
        }
        g_directory = open(path.c_str(), kFlags);
    }
    struct stat st = {};
    if (g_directory < 0) {
        const int error = errno;
        // A link or a file where the directory belongs.
        if (lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) {
            failWith(".", "not-directory");
        }
        fail(".", error);
    }
    // New files then inherit the directory's group. Only a directory this
    // run made is touched; an existing one keeps its owner, group and mode.
    if (made && fstat(g_directory, &st) == 0 && st.st_uid == geteuid()) {
        fchmod(g_directory, kDirectoryMode);
    }
    if (g_machineWide) {
        requireClosed(path);
    }
}

// Takes the lock shared by every saver and reader, on this machine or
// another one that mounts the same directory, waiting at most `wait`. Polls
// without blocking: a waiting call that only a signal could interrupt may
// never return on a network file system. The lock file is created once and
// never removed.
void lock(short type, std::chrono::milliseconds wait) {
    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        // A shared lock needs no write access, so the record stays readable
        // on a read-only directory; the file is made only where it is missing.
        int fd = -1;
        if (type == F_RDLCK) {
            fd = checked(kLock, ENOENT, [] {
                return openat(g_directory, kLock, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
            });
        }
        if (fd < 0) {
            fd = checked(kLock, [] {
                return openat(g_directory, kLock,
                              O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kFileMode);
            });
        }
        g_lock = fd;
        const struct stat held = requireUnlinked(fd, kLock);

        struct flock whole = {};
        whole.l_type = type;
        whole.l_whence = SEEK_SET;
        beforeSystemCall();
        while (fcntl(fd, F_SETLK, &whole) != 0) {
            if (errno != EACCES && errno != EAGAIN && errno != EINTR) {
                fail(kLock, errno);
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                failWith(kLock, "busy");
            }
            const timespec pause{0, 10'000'000};
            nanosleep(&pause, nullptr);
        }
        // The set-up script may have put a fresh lock file in place while
        // this one waited: the lock counts only on the file the name holds.
        struct stat named = {};
        if (fstatat(g_directory, kLock, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
            named.st_dev == held.st_dev && named.st_ino == held.st_ino) {
            return;
        }
        releaseLock();
        if (std::chrono::steady_clock::now() >= deadline) {
            failWith(kLock, "busy");
        }
    }
}

// Puts the staged files in place; safe to repeat after a kill at any point.
void rollForward() {
    const std::pair<const char*, const char*> pairs[] = {{kScoreStaged, kScore},
                                                         {kNameStaged, kName}};
    for (const auto& [staged, target] : pairs) {
        const int kind = entryKind(staged);
        if (kind == 1) {
            checked(target, [&] { return renameat(g_directory, staged, g_directory, target); });
        } else if (kind == -1) {
            removeEntry(staged);
        }
    }
    // Both renames are on disk before the intent goes, and the intent is gone
    // for good before anything new is staged: a power cut must not bring it
    // back to commit files staged by a later save that never reached its own.
    syncDirectory();
    removeEntry(kIntent);
    syncDirectory();
}

// Takes the lock to write and, before anything is read or written,
// finishes a save that recorded its intent or discards one that did not.
void lockToWrite() {
    lock(F_WRLCK, kSaveLockWait);
    if (entryKind(kIntent) != 0) {
        rollForward();
        return;
    }
    removeEntry(kScoreStaged);
    removeEntry(kNameStaged);
}

// Up to count bytes from offset on; fewer only where the file ends.
std::string readAt(int fd, off_t offset, std::size_t count, const char* name) {
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n = checked(name, EINTR, [&] {
            return pread(fd, bytes.data() + got, count - got, offset + off_t(got));
        });
        if (n < 0) {
            continue;
        }
        if (n == 0) {
            break;
        }
        got += std::size_t(n);
    }
    bytes.resize(got);
    return bytes;
}

// At most kMaxReadBytes of a record file; "" if it does not exist.
std::string readStored(const char* name) {
    const int fd = checked(name, ENOENT, [name] {
        return openat(g_directory, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    });
    if (fd < 0) {
        return {};
    }
    requireUnlinked(fd, name);
    const std::string bytes = readAt(fd, 0, kMaxReadBytes, name);
    close(fd);
    return bytes;
}

// Writes all the bytes and flushes them: 0, or the errno of the call that
// failed.
int writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        beforeSystemCall();
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        done += std::size_t(n);
    }
    beforeSystemCall();
    // A full disk or a network file system may report a failed write only here.
    return fsync(fd) != 0 ? errno : 0;
}

// Writes a new file that nobody else can have opened, and flushes it.
// Failures name the record file the player knows, not the staged one.
void stage(const char* staged, const char* target, const std::string& bytes) {
    const int fd = checked(target, [staged] {
        return openat(g_directory, staged, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      kFileMode);
    });
    if (const int error = writeAll(fd, bytes)) {
        fail(target, error);
    }
    checked(target, [fd] { return close(fd); });
}

// Creates the file empty unless it exists, which it must as a regular file.
void ensureFile(const char* name) {
    const int fd = checked(name, EEXIST, [name] {
        return openat(g_directory, name,
                      O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kFileMode);
    });
    if (fd >= 0) {
        close(fd);
    } else if (entryKind(name) != 1) {
        failWith(name, "not-regular");
    }
}

// The same where the directory can be written; a missing file reads as empty.
void ensureFileIfWritable(const char* name) {
    const int fd =
        openat(g_directory, name, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
               kFileMode);
    if (fd >= 0) {
        close(fd);
    } else if (errno != EROFS && errno != EACCES && errno != EPERM) {
        ensureFile(name);
    }
}

[[noreturn]] void create(const std::string& directory, bool mayMakeDirectory) {
    openDirectory(directory, mayMakeDirectory);
    lockToWrite();
    ensureFile(kScore);
    ensureFile(kName);
    syncDirectory();
    answer(kDone, "ok");
}

// The pair as the last save left it. Under the shared lock nothing is being
// written; a save killed between its renames left its intent, and the pair it
// was committing is the record (the next exclusive holder completes it).
[[noreturn]] void readPair(const std::string& directory, bool mayMakeDirectory) {
    openDirectory(directory, mayMakeDirectory);
    lock(F_RDLCK, kReadLockWait);
    ensureFileIfWritable(kScore);
    ensureFileIfWritable(kName);
    const bool committing = entryKind(kIntent) != 0;
    const auto current = [committing](const char* staged, const char* target) {
        return readStored(committing && entryKind(staged) == 1 ? staged : target);
    };
    const std::string score = current(kScoreStaged, kScore);
    const std::string name = current(kNameStaged, kName);
    answer(kDone, "record " + std::to_string(score.size()) + ' ' + std::to_string(name.size()),
           score + name);
}

[[noreturn]] void save(const std::string& directory, const std::string& scoreText,
                       const std::string& name) {
    const std::optional<int> score = RecordRules::plainScore(scoreText);
    if (!score) {
        refuse("score");
    }
    if (!RecordRules::isHolderName(name)) {
        refuse("name");
    }

    openDirectory(directory, false);
    lockToWrite();
    // Compare with what is stored now, not with what the game showed at its
    // start: another game may have saved since.
    const double stored = RecordRules::leadingNumber(readStored(kScore));
    if (!(stored < *score)) {
        answer(kNotBeaten, "not-beaten");
    }
    if (entryKind(kName) == -1) {
        failWith(kName, "not-regular");
    }

    g_staging = true;
    stage(kScoreStaged, kScore, scoreText + "\r\n");
    stage(kNameStaged, kName, name + "\r\n");
    // The intent is an empty file, made the same way.
    stage(kIntent, kIntent, "");
    syncDirectory();
    // The intent is on disk: from here on the new pair is the record, and
    // every later access completes it.
    g_staging = false;
    g_committed = true;
    rollForward();
    answer(kDone, "saved");
}

// The results log, opened for appending and created if missing; size is
// its length.
int openLog(off_t& size) {
    const int fd = checked(ResultsLog::kFile, [] {
        return openat(g_directory, ResultsLog::kFile,
                      O_RDWR | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, kFileMode);
    });
    size = requireUnlinked(fd, ResultsLog::kFile).st_size;
    return fd;
}

// Cuts off a last line that a crash or a kill left without its end. A line
// is well under a kilobyte; a log whose end holds no line break this far
// back was not written by the keeper.
void dropCutLine(int fd, off_t& size) {
    const off_t tail = std::min(size, off_t(64 * 1024));
    const std::string bytes = readAt(fd, size - tail, std::size_t(tail), ResultsLog::kFile);
    if (bytes.size() != std::size_t(tail)) {
        fail(ResultsLog::kFile, EIO);
    }
    if (size == 0 || bytes.back() == '\n') {
        return;
    }
    const std::size_t lastBreak = bytes.rfind('\n');
    if (lastBreak == std::string::npos && tail < size) {
        failWith(ResultsLog::kFile, "not-a-log");
    }
    const off_t whole = lastBreak == std::string::npos ? 0 : size - tail + off_t(lastBreak) + 1;
    checked(ResultsLog::kFile, [fd, whole] { return ftruncate(fd, whole); });
    size = whole;
}

// Appends the line to the results log, with the header first when the log
// is new. The line goes in with one write at the end of the file; a short
// write or a failed flush is cut off again, and a line cut short by a crash
// before is dropped first, so the log holds whole lines only.
void appendLog(const std::string& line) {
    off_t size = 0;
    int fd = openLog(size);
    dropCutLine(fd, size);
    if (g_machineWide) {
        // At most one game per account per kMinSecondsBetweenGames: one
        // account can neither flood the log nor push the class's lines out
        // of it by rotation.
        const std::time_t now = std::time(nullptr);
        const std::optional<std::time_t> last = ResultsLog::lastGameOf(
            readAt(fd, 0, std::size_t(size), ResultsLog::kFile), accountName());
        if (last && *last <= now + 60 && now - *last < ResultsLog::kMinSecondsBetweenGames) {
            refuse("too-often");
        }
    }
    if (size > 0 && std::size_t(size) + line.size() > ResultsLog::kMaxBytes) {
        // The whole log moves aside in one step and a new one starts; only
        // over an older log that is a plain file of its own.
        struct stat older = {};
        if (checked(ResultsLog::kOlderFile, ENOENT,
                    [&] {
                        return fstatat(g_directory, ResultsLog::kOlderFile, &older,
                                       AT_SYMLINK_NOFOLLOW);
                    }) == 0 &&
            (!S_ISREG(older.st_mode) || older.st_nlink != 1)) {
            failWith(ResultsLog::kOlderFile, "not-regular");
        }
        checked(ResultsLog::kOlderFile, [] {
            return renameat(g_directory, ResultsLog::kFile, g_directory, ResultsLog::kOlderFile);
        });
        close(fd);
        fd = openLog(size);
    }
    const bool isNew = size == 0;
    if (const int error = writeAll(fd, isNew ? ResultsLog::kHeader + line : line)) {
        // Nothing of the line stays behind.
        beforeSystemCall();
        if (ftruncate(fd, size) == 0) {
            fsync(fd);
        }
        fail(ResultsLog::kFile, error);
    }
    if (isNew) {
        syncDirectory();
    }
    checked(ResultsLog::kFile, [fd] { return close(fd); });
}

[[noreturn]] void logGame(const std::string& directory, const std::string& rightText,
                          const std::string& wrongText, const std::string& recordText,
                          const std::string& name) {
    g_logging = true;
    const std::optional<int> right = RecordRules::plainScore(rightText);
    const std::optional<int> wrong = RecordRules::plainScore(wrongText);
    g_loggedGame =
        "right " + (right ? rightText : "invalid") + ", wrong " + (wrong ? wrongText : "invalid");
    if (!right || !wrong || *right < 0 || *wrong < 0 || *right + *wrong == 0 ||
        (g_machineWide && *right + *wrong > ResultsLog::kMaxAnswers) ||
        (recordText != "yes" && recordText != "no")) {
        refuse("counts");
    }
    if (!RecordRules::isHolderName(name)) {
        refuse("name");
    }
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0) {
        host[0] = '\0';
    }
    const ResultsLog::LocalMoment now = ResultsLog::localMoment(std::time(nullptr));
    const ResultsLog::Game game{now.date, now.time, host,   accountName(),
                                name,     *right,   *wrong, recordText == "yes"};

    openDirectory(directory, false);
    lockToWrite();
    appendLog(ResultsLog::line(game));
    answer(kDone, "logged");
}

// So that no file this program opens can land on a standard stream, where
// an answer would be written into it.
void keepStandardStreamsOpen() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) == -1 && errno == EBADF) {
            if (open("/dev/null", O_RDWR) != fd) {
                std::_Exit(kRefused);
            }
        }
    }
}

// Gives up any set-user-id or set-group-id privilege for good.
void dropPrivilege() {
    const gid_t gid = getgid();
    const uid_t uid = getuid();
    if (setresgid(gid, gid, gid) != 0 || setresuid(uid, uid, uid) != 0 || getegid() != gid ||
        geteuid() != uid) {
        std::_Exit(kRefused);
    }
}

// An absolute path without trailing separators, or "" if unusable.
std::string directoryArgument(std::string_view path) {
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    if (path.size() < 2 || path.front() != '/' || path.size() >= 4096) {
        return {};
    }
    return std::string(path);
}

} // namespace

int main(int argc, char** argv) {
    keepStandardStreamsOpen();
#ifdef TROVAPUNTI_RECORD_KEEPER_DRILL
    if (const char* stopAt = std::getenv("TROVAPUNTI_RECORD_STOP_AT")) {
        g_stopAt = std::strtol(stopAt, nullptr, 10);
    }
#endif
    clearenv();
    umask(007);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const std::string_view command = argc > 1 ? argv[1] : "";
    if (command == "save") {
        g_loggedScore = argc > 3 ? argv[3] : "";
    }
    if (argc < 3) {
        refuse("arguments");
    }
    const std::string directory = directoryArgument(argv[2]);
    if (directory.empty()) {
        refuse("directory");
    }
    const bool machineWide = directory == directoryArgument(TROVAPUNTI_RECORD_DIR);
    g_machineWide = machineWide;
    if (!machineWide) {
        dropPrivilege();
    }
    // The machine's directory, if missing, is made only by root, so its
    // owner is always root; the set-up scripts make it in any case.
    const bool mayMakeDirectory = !machineWide || geteuid() == 0;
    if (command == "create" && argc == 3) {
        create(directory, mayMakeDirectory);
    }
    if (command == "read" && argc == 3) {
        readPair(directory, mayMakeDirectory);
    }
    if (command == "save" && argc == 5) {
        save(directory, argv[3], argv[4]);
    }
    if (command == "log" && argc == 7) {
        logGame(directory, argv[3], argv[4], argv[5], argv[6]);
    }
    refuse("arguments");
}

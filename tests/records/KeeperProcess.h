// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

// The keeper built with the tests, and the drills' build of it that can stop
// at a chosen system call.
inline const QString kKeeper = QStringLiteral(RECORD_KEEPER_PATH);
inline const QString kDrillKeeper = QStringLiteral(DRILL_KEEPER_PATH);

// Runs record keepers and holds the record lock from outside, for the tests
// that look at the keeper as the game and other players see it.
namespace KeeperProcess {

struct Reply {
    bool finished = false; // ended by itself, not by a signal
    int exitCode = -1;
    QByteArray line;
};

inline Reply collect(QProcess& process) {
    Reply reply;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return reply;
    }
    reply.finished = process.exitStatus() == QProcess::NormalExit;
    reply.exitCode = process.exitCode();
    reply.line = process.readAllStandardOutput().trimmed();
    return reply;
}

inline void start(QProcess& process, const QString& program, const QStringList& arguments) {
    process.setStandardInputFile(QProcess::nullDevice());
    process.start(program, arguments, QIODevice::ReadOnly);
}

inline Reply run(const QString& program, const QStringList& arguments) {
    QProcess process;
    start(process, program, arguments);
    return collect(process);
}

// Runs the drills' keeper, which stops dead at its system call number
// `stopAt` when one is given, or kills it `killAfterUs` microseconds after
// it started when that is not negative.
inline Reply runKilled(const QString& program, const QStringList& arguments, const QString& stopAt,
                       int killAfterUs) {
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!stopAt.isEmpty()) {
        environment.insert(QStringLiteral("TROVAPUNTI_RECORD_STOP_AT"), stopAt);
    }
    process.setProcessEnvironment(environment);
    start(process, program, arguments);
    if (killAfterUs >= 0 && process.waitForStarted()) {
        std::this_thread::sleep_for(std::chrono::microseconds(killAfterUs));
        ::kill(pid_t(process.processId()), SIGKILL);
    }
    return collect(process);
}

// Whether this process can run programs as other accounts: it is root and
// has setpriv.
inline bool canRunAs() {
    return ::geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

// Runs the program as the account, with the group alone.
inline Reply runAs(uid_t account, gid_t group, const QString& program,
                   const QStringList& arguments) {
    return run(QStandardPaths::findExecutable(QStringLiteral("setpriv")),
               QStringList{QStringLiteral("--reuid=%1").arg(account),
                           QStringLiteral("--regid=%1").arg(group),
                           QStringLiteral("--clear-groups"), QStringLiteral("--"), program} +
                   arguments);
}

// Holds the lock file's whole-file write lock in a child process, as a
// saving keeper would, until release() or destruction.
class LockHolder {
public:
    explicit LockHolder(const QString& lockPath) {
        int taken[2];
        int release[2];
        if (::pipe2(taken, O_CLOEXEC) != 0 || ::pipe2(release, O_CLOEXEC) != 0) {
            return;
        }
        const QByteArray path = QFile::encodeName(lockPath);
        m_child = ::fork();
        if (m_child == 0) {
            ::close(taken[0]);
            ::close(release[1]);
            const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0664);
            struct flock whole = {};
            whole.l_type = F_WRLCK;
            whole.l_whence = SEEK_SET;
            const char ok = (fd >= 0 && ::fcntl(fd, F_SETLKW, &whole) == 0) ? 'y' : 'n';
            if (::write(taken[1], &ok, 1) != 1) {
                ::_exit(1);
            }
            char ignored;
            while (::read(release[0], &ignored, 1) > 0) {
            }
            ::_exit(0);
        }
        ::close(taken[1]);
        ::close(release[0]);
        char ok = 'n';
        m_holding = m_child > 0 && ::read(taken[0], &ok, 1) == 1 && ok == 'y';
        ::close(taken[0]);
        m_release = release[1];
    }
    ~LockHolder() { release(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    bool holding() const { return m_holding; }

    void release() {
        if (m_release >= 0) {
            ::close(m_release);
            m_release = -1;
        }
        if (m_child > 0) {
            ::waitpid(m_child, nullptr, 0);
            m_child = -1;
        }
    }

private:
    pid_t m_child = -1;
    int m_release = -1;
    bool m_holding = false;
};

} // namespace KeeperProcess

// An id no account or group of the machine has, from `from` on.
inline unsigned unusedId(bool group, unsigned from) {
    for (unsigned id = from;; ++id) {
        if (group ? ::getgrgid(gid_t(id)) == nullptr : ::getpwuid(uid_t(id)) == nullptr) {
            return id;
        }
    }
}

// A set-group-id copy of a built keeper, root-owned with the given group as
// the package installs it, for KeeperProcess::runAs to run as other accounts.
// Where this machine cannot have one (not root, no setpriv, a nosuid
// temporary directory) `whyNot` says why and `path` is empty.
class SetGroupIdKeeper {
public:
    SetGroupIdKeeper(const QString& built, gid_t group) {
        struct statvfs fs = {};
        if (!KeeperProcess::canRunAs()) {
            whyNot = "needs root and setpriv to make a set-group-id copy and other accounts";
        } else if (!programs_.isValid() ||
                   ::statvfs(QFile::encodeName(programs_.path()).constData(), &fs) != 0 ||
                   (fs.f_flag & ST_NOSUID)) {
            whyNot = "the temporary directory is mounted nosuid";
        } else {
            const QString copy = programs_.path() + QStringLiteral("/trovapunti-record");
            const QByteArray name = QFile::encodeName(copy);
            if (QFile::copy(built, copy) &&
                ::chmod(QFile::encodeName(programs_.path()).constData(), 0755) == 0 &&
                ::chown(name.constData(), 0, group) == 0 && ::chmod(name.constData(), 02755) == 0) {
                path = copy;
            } else {
                whyNot = "the set-group-id copy could not be made";
            }
        }
    }

    QString path;
    const char* whyNot = nullptr;

private:
    QTemporaryDir programs_;
};

// A record directory the keeper created in a scratch folder of the test's own.
// The drills test what a kill or a race does, not the disk: memory-backed
// storage, where there is some, keeps their hundreds of flushes quick.
class KeeperDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        dir = temp.path() + QStringLiteral("/records");
        ASSERT_EQ(KeeperProcess::run(kKeeper, {"create", dir}).line, "ok");
        log = dir + QStringLiteral("/risultati.csv");
    }

    static QString scratchTemplate() {
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        return (shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath()) +
               QStringLiteral("/trovapunti-test-XXXXXX");
    }

    QTemporaryDir temp{scratchTemplate()};
    QString dir;
    QString log; // the teachers' results log in it
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

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
            struct flock whole {};
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

// A record directory the keeper created in a scratch folder of the test's own.
// The drills test what a kill or a race does, not the disk: memory-backed
// storage, where there is some, keeps their hundreds of flushes quick.
class KeeperDirectoryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(temp.isValid());
        dir = temp.path() + QStringLiteral("/records");
        ASSERT_EQ(KeeperProcess::run(QStringLiteral(RECORD_KEEPER_PATH), {"create", dir}).line,
                  "ok");
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

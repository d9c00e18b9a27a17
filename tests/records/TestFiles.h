// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/RecordStore.h"
#include "support/QStringPrinter.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/types.h>

// Raw file access for checking what the record store left on disk.
namespace TestFiles {

inline QByteArray bytesOf(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return QByteArray("<unreadable>");
    }
    return file.readAll();
}

inline bool put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// Permission bits of the path itself (a link is not followed); -1 if absent.
inline int modeOf(const QString& path) {
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0) {
        return -1;
    }
    return int(st.st_mode & 07777);
}

// Every entry of a directory, hidden ones included.
inline QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                               QDir::NoDotAndDotDot);
}

inline bool isSymLink(const QString& path) {
    struct stat st = {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

// Sets the process umask for one test and puts the old one back.
class UmaskGuard {
public:
    explicit UmaskGuard(mode_t mask) : m_old(::umask(mask)) {}
    ~UmaskGuard() { ::umask(m_old); }
    UmaskGuard(const UmaskGuard&) = delete;
    UmaskGuard& operator=(const UmaskGuard&) = delete;

private:
    mode_t m_old;
};

// A fresh temporary directory for each test.
class TempDirTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(temp.isValid()); }

    QString tempPath(const QString& name) const { return temp.path() + u'/' + name; }

    QTemporaryDir temp;
};

// A record store over a fresh directory that already holds the pair 5, Bea.
class StoredPairTest : public TempDirTest {
protected:
    void SetUp() override {
        TempDirTest::SetUp();
        ASSERT_TRUE(put(store.scorePath(), "5\r\n"));
        ASSERT_TRUE(put(store.namePath(), "Bea\r\n"));
    }

    RecordStore store{temp.path()};
};

} // namespace TestFiles

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TestFiles.h"
#include "records/RecordStore.h"
#include "records/keeper/RecordFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace TestFiles;

namespace {

using RecordStoreTest = TempDirTest;

TEST_F(RecordStoreTest, PathsHaveOneSeparatorWithOrWithoutATrailingOne) {
    for (const QString& dir : {tempPath("r"), tempPath("r/")}) {
        const RecordStore store(dir);
        EXPECT_EQ(store.scorePath(), tempPath("r/crt.txt"));
        EXPECT_EQ(store.namePath(), tempPath("r/ncrt.txt"));
    }
    // A program of the build tree runs the keeper built there.
    EXPECT_EQ(defaultRecordKeeper(), QStringLiteral(RECORD_KEEPER_PATH));
}

TEST_F(RecordStoreTest, FirstRunCreatesTheDirectoryAndTwoEmptySharedFiles) {
    const UmaskGuard umask(022);
    const RecordStore store(tempPath("games/trovapunti"));

    ASSERT_TRUE(QDir().mkdir(tempPath("games")));
    const RecordPair pair = store.readRecord();
    EXPECT_FALSE(pair.error);
    EXPECT_TRUE(QFileInfo(tempPath("games/trovapunti")).isDir());
    EXPECT_EQ(modeOf(tempPath("games/trovapunti")), 02770);
    EXPECT_EQ(pair.score, QString());
    EXPECT_EQ(pair.holder, QString());
    for (const QString& path : {store.scorePath(), store.namePath()}) {
        EXPECT_EQ(modeOf(path), 0660) << path.toStdString();
        EXPECT_EQ(QFileInfo(path).size(), 0);
    }
}

TEST_F(RecordStoreTest, ReadingLeavesAnExistingFileAlone) {
    const RecordStore store(temp.path());
    ASSERT_TRUE(put(store.scorePath(), "12\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(store.scorePath()).constData(), 0600), 0);

    EXPECT_EQ(store.readRecord().score, QStringLiteral("12\r\n"));
    EXPECT_EQ(bytesOf(store.scorePath()), "12\r\n");
    EXPECT_EQ(modeOf(store.scorePath()), 0600);
}

TEST_F(RecordStoreTest, DirectoryThatCannotBeMadeIsAnErrorNamingIt) {
    ASSERT_TRUE(put(tempPath("blocker"), "x"));

    const RecordStore under(tempPath("blocker/records"));
    const auto cannotCreate = under.readRecord().error;
    ASSERT_TRUE(cannotCreate);
    EXPECT_EQ(cannotCreate->path, tempPath("blocker/records/"));
    EXPECT_EQ(cannotCreate->reason, RecordReason::kCannotCreateDirectory);
    EXPECT_TRUE(cannotCreate->message().contains(tempPath("blocker/records/")));

    const auto notADirectory = RecordStore(tempPath("blocker")).readRecord().error;
    ASSERT_TRUE(notADirectory);
    EXPECT_EQ(notADirectory->reason, RecordReason::kNotADirectory);
    EXPECT_EQ(bytesOf(tempPath("blocker")), "x");
}

TEST_F(RecordStoreTest, AccentedNameRoundTripsAsOneLine) {
    const RecordStore store(temp.path());
    const QString name = QStringLiteral("Niccolò Çà");

    ASSERT_EQ(store.saveIfBeaten(QStringLiteral("1"), name).status, SaveOutcome::Status::Saved);
    EXPECT_EQ(bytesOf(store.namePath()), name.toUtf8() + "\r\n");
    EXPECT_EQ(store.readRecord().holder, name + QStringLiteral("\r\n"));

    // Rewriting replaces the old line entirely, including a longer one.
    ASSERT_EQ(store.saveIfBeaten(QStringLiteral("2"), QStringLiteral("Al")).status,
              SaveOutcome::Status::Saved);
    EXPECT_EQ(bytesOf(store.namePath()), "Al\r\n");
}

TEST_F(RecordStoreTest, InvalidBytesBecomeReplacementCharacters) {
    const RecordStore store(temp.path());
    // Stray bytes, then a sequence cut short at the end of the file.
    ASSERT_TRUE(put(store.scorePath(), "\xff\xfe"
                                       "7\r\n\xe2\x82"));

    const RecordPair read = store.readRecord();
    EXPECT_FALSE(read.error);
    EXPECT_TRUE(read.score.contains(QStringLiteral("7\r\n")));
    EXPECT_TRUE(read.score.startsWith(QChar::ReplacementCharacter));
    EXPECT_TRUE(read.score.endsWith(QChar::ReplacementCharacter));
}

TEST_F(RecordStoreTest, AHugeFileIsReadOnlyUpToTheLimit) {
    const RecordStore store(temp.path());
    ASSERT_TRUE(put(store.scorePath(), QByteArray(10 * 1024 * 1024, 'a')));

    const RecordPair read = store.readRecord();
    EXPECT_FALSE(read.error);
    EXPECT_EQ(read.score.size(), qsizetype(RecordFiles::kMaxReadBytes));
}

// Something other than a plain file where a record file belongs: the store
// must refuse it and leave both it and anything it points at as they were.
class NotAPlainFileTest : public RecordStoreTest,
                          public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        RecordStoreTest::SetUp();
        const QByteArray path = QFile::encodeName(store.scorePath());
        const QByteArray outside = QFile::encodeName(tempPath("outside.txt"));
        const std::string kind = GetParam();
        if (kind == "link to a file") {
            ASSERT_TRUE(put(tempPath("outside.txt"), "secret\r\n"));
            ASSERT_EQ(::symlink(outside.constData(), path.constData()), 0);
        } else if (kind == "dangling link") {
            ASSERT_EQ(::symlink(outside.constData(), path.constData()), 0);
        } else if (kind == "directory") {
            ASSERT_TRUE(QDir().mkdir(store.scorePath()));
        } else if (kind == "fifo") {
            ASSERT_EQ(::mkfifo(path.constData(), 0664), 0);
        }
        before = lstatType();
    }

    mode_t lstatType() const {
        struct stat st = {};
        ::lstat(QFile::encodeName(store.scorePath()).constData(), &st);
        return st.st_mode & S_IFMT;
    }

    void expectRefused(const std::optional<RecordError>& error) const {
        ASSERT_TRUE(error);
        EXPECT_EQ(error->path, store.scorePath());
        EXPECT_EQ(error->reason, RecordReason::kNotARegularFile);
    }

    void expectUntouched() const {
        EXPECT_EQ(lstatType(), before);
        if (std::string(GetParam()) == "link to a file") {
            EXPECT_EQ(bytesOf(tempPath("outside.txt")), "secret\r\n");
        } else {
            EXPECT_FALSE(QFileInfo::exists(tempPath("outside.txt")));
        }
    }

    const RecordStore store{temp.path()};
    mode_t before = 0;
};

TEST_P(NotAPlainFileTest, IsNotRead) {
    // A FIFO would block an ordinary open until a writer came along.
    const RecordPair read = store.readRecord();
    EXPECT_EQ(read.score, QString());
    expectRefused(read.error);
    expectUntouched();
}

TEST_P(NotAPlainFileTest, StopsTheSaveBeforeEitherFileChanges) {
    ASSERT_TRUE(put(store.namePath(), "Bea\r\n"));
    const SaveOutcome outcome = store.saveIfBeaten(QStringLiteral("99"), QStringLiteral("Eve"));
    EXPECT_EQ(outcome.status, SaveOutcome::Status::Failed);
    expectRefused(outcome.error);
    expectUntouched();
    EXPECT_EQ(bytesOf(store.namePath()), "Bea\r\n");
}

INSTANTIATE_TEST_SUITE_P(Kinds, NotAPlainFileTest,
                         ::testing::Values("link to a file", "dangling link", "directory", "fifo"));

TEST_F(RecordStoreTest, NewFilesInheritTheGroupOfASharedDirectory) {
    constexpr gid_t kOtherGroup = 60;
    const QString dir = tempPath("shared");
    ASSERT_TRUE(QDir().mkdir(dir));
    const QByteArray encoded = QFile::encodeName(dir);
    if (::chown(encoded.constData(), uid_t(-1), kOtherGroup) != 0) {
        GTEST_SKIP() << "cannot hand a directory to another group here";
    }
    ASSERT_EQ(::chmod(encoded.constData(), 02775), 0);
    const RecordStore store(dir);

    ASSERT_FALSE(store.readRecord().error);
    ASSERT_EQ(store.saveIfBeaten(QStringLiteral("1"), QStringLiteral("Anna")).status,
              SaveOutcome::Status::Saved);
    for (const QString& path : {store.scorePath(), store.namePath()}) {
        EXPECT_EQ(QFileInfo(path).groupId(), kOtherGroup) << path.toStdString();
        EXPECT_EQ(modeOf(path), 0660) << path.toStdString();
    }
}

// Permission bits do not stop root, so these run only as an ordinary user.
class UnwritableTest : public RecordStoreTest {
protected:
    void SetUp() override {
        if (::geteuid() == 0) {
            GTEST_SKIP() << "permissions do not apply to root";
        }
        RecordStoreTest::SetUp();
    }
};

TEST_F(UnwritableTest, ReadOnlyDirectoryIsReportedAndNothingIsSaved) {
    const RecordStore store(temp.path());
    ASSERT_TRUE(put(store.scorePath(), "5\r\n"));
    ASSERT_TRUE(put(store.namePath(), "Bea\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(temp.path()).constData(), 0555), 0);

    const auto created = RecordStore(temp.path()).readRecord().error;
    ASSERT_TRUE(created);
    EXPECT_EQ(created->reason, RecordReason::kPermissionDenied);

    const SaveOutcome outcome = store.saveIfBeaten(QStringLiteral("6"), QStringLiteral("Eve"));
    EXPECT_EQ(outcome.status, SaveOutcome::Status::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->reason, RecordReason::kPermissionDenied);
    EXPECT_EQ(bytesOf(store.scorePath()), "5\r\n");
    EXPECT_EQ(bytesOf(store.namePath()), "Bea\r\n");

    ::chmod(QFile::encodeName(temp.path()).constData(), 0755);
}

TEST_F(UnwritableTest, UnreadableFileIsReportedAndKept) {
    const RecordStore store(temp.path());
    ASSERT_TRUE(put(store.namePath(), "Bea\r\n"));
    ASSERT_EQ(::chmod(QFile::encodeName(store.namePath()).constData(), 0), 0);

    const RecordPair read = store.readRecord();
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->path, store.namePath());
    EXPECT_EQ(read.error->reason, RecordReason::kPermissionDenied);
    ASSERT_EQ(::chmod(QFile::encodeName(store.namePath()).constData(), 0600), 0);
    EXPECT_EQ(bytesOf(store.namePath()), "Bea\r\n");
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The record keeper run as the game runs it, on temporary directories
// without any privilege; where the tests run as root, also a set-group-id
// copy run by an account outside its group.

#include "KeeperProcess.h"
#include "TestFiles.h"
#include "records/RecordStore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace TestFiles;
using KeeperProcess::Reply;

namespace {

class RecordKeeperTest : public TempDirTest {
protected:
    Reply keeper(const QStringList& arguments) const {
        return KeeperProcess::run(kKeeper, arguments);
    }
};

TEST_F(RecordKeeperTest, CreateMakesASharedDirectoryAndLeavesAnExistingOneAlone) {
    const UmaskGuard umask(077); // the keeper sets its own
    const QString dir = tempPath("records");

    const Reply made = keeper({"create", dir});
    EXPECT_TRUE(made.finished);
    EXPECT_EQ(made.exitCode, 0);
    EXPECT_EQ(made.line, "ok");
    EXPECT_EQ(modeOf(dir), 02770);
    for (const char* name : {"crt.txt", "ncrt.txt", "trovapunti.lock"}) {
        EXPECT_EQ(modeOf(dir + '/' + name), 0660) << name;
        EXPECT_EQ(bytesOf(dir + '/' + name), QByteArray()) << name;
    }
    EXPECT_EQ(QDir(dir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System).size(),
              3);

    // A game run by anyone, root included, leaves what exists as it is.
    ASSERT_EQ(::chmod(QFile::encodeName(dir).constData(), 0750), 0);
    ASSERT_TRUE(put(dir + "/crt.txt", "12\r\n"));
    EXPECT_EQ(keeper({"create", dir + '/'}).line, "ok");
    EXPECT_EQ(modeOf(dir), 0750);
    EXPECT_EQ(bytesOf(dir + "/crt.txt"), "12\r\n");
}

TEST_F(RecordKeeperTest, SavesOnlyAHigherScoreAndSaysWhich) {
    ASSERT_EQ(keeper({"create", temp.path()}).exitCode, 0);

    const Reply first = keeper({"save", temp.path(), "5", "Anna"});
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_EQ(first.line, "saved");
    for (const char* lower : {"5", "4", "-3"}) {
        const Reply refused = keeper({"save", temp.path(), lower, "Bruno"});
        EXPECT_EQ(refused.exitCode, 1) << lower;
        EXPECT_EQ(refused.line, "not-beaten") << lower;
    }
    EXPECT_EQ(bytesOf(tempPath("crt.txt")), "5\r\n");
    EXPECT_EQ(bytesOf(tempPath("ncrt.txt")), "Anna\r\n");
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 3)
        << "no temporary file survives a save";
}

TEST_F(RecordKeeperTest, BadArgumentsGetAClearAnswerAndTouchNothing) {
    ASSERT_TRUE(put(tempPath("crt.txt"), "5\r\n"));
    ASSERT_TRUE(put(tempPath("ncrt.txt"), "Anna\r\n"));
    const QString dir = temp.path();
    // Which scores and names pass is the record rules' own test; here, that
    // the keeper asks them and answers each refusal.
    const struct {
        QStringList arguments;
        const char* answer;
    } cases[] = {
        {{}, "refused arguments"},
        {{"create"}, "refused arguments"},
        {{"create", dir, "extra"}, "refused arguments"},
        {{"remove", dir}, "refused arguments"},
        {{"save", dir, "9"}, "refused arguments"},
        {{"create", "relative/records"}, "refused directory"},
        {{"create", "/"}, "refused directory"},
        {{"save", dir, "", "Eve"}, "refused score"},
        {{"save", dir, "09", "Eve"}, "refused score"},
        {{"save", dir, "32768", "Eve"}, "refused score"},
        {{"save", dir, "99999999999999999999", "Eve"}, "refused score"},
        {{"save", dir, "9", QString(65, u'a')}, "refused name"},
        {{"save", dir, "9", "Eve\nBruno 99"}, "refused name"},
        {{"save", dir, "9", QStringLiteral("\u202Eeve")}, "refused name"},
    };
    for (const auto& c : cases) {
        const Reply reply = keeper(c.arguments);
        EXPECT_TRUE(reply.finished) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(reply.exitCode, 64) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(reply.line, c.answer) << c.arguments.join(' ').toStdString();
    }
    EXPECT_EQ(bytesOf(tempPath("crt.txt")), "5\r\n");
    EXPECT_EQ(bytesOf(tempPath("ncrt.txt")), "Anna\r\n");
    EXPECT_FALSE(QFileInfo::exists(tempPath("trovapunti.lock")));

    // The longest name allowed, in characters that take two bytes each.
    const QString longest(64, QChar(0x00E8));
    EXPECT_EQ(keeper({"save", dir, "32767", longest}).line, "saved");
    EXPECT_EQ(bytesOf(tempPath("ncrt.txt")), longest.toUtf8() + "\r\n");
}

TEST_F(RecordKeeperTest, ASaveCutShortIsFinishedWithItsIntentAndDiscardedWithout) {
    const RecordStore store(temp.path(), kKeeper);
    const auto prepare = [this](bool intent, bool scoreAlreadyRenamed) {
        ASSERT_TRUE(put(tempPath("crt.txt"), scoreAlreadyRenamed ? "9\r\n" : "5\r\n"));
        ASSERT_TRUE(put(tempPath("ncrt.txt"), "Anna\r\n"));
        if (!scoreAlreadyRenamed) {
            ASSERT_TRUE(put(tempPath("crt.txt.new"), "9\r\n"));
        }
        ASSERT_TRUE(put(tempPath("ncrt.txt.new"), "Eve\r\n"));
        if (intent) {
            ASSERT_TRUE(put(tempPath("trovapunti.intent"), ""));
        }
    };
    const auto expectOnDisk = [this](const QByteArray& score, const QByteArray& name) {
        EXPECT_EQ(bytesOf(tempPath("crt.txt")), score);
        EXPECT_EQ(bytesOf(tempPath("ncrt.txt")), name);
        EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
    };

    for (const bool scoreAlreadyRenamed : {false, true}) {
        prepare(true, scoreAlreadyRenamed);
        // The game, without any privilege, already shows the committed pair.
        const RecordPair seen = store.readRecord();
        EXPECT_EQ(seen.score, QStringLiteral("9\r\n"));
        EXPECT_EQ(seen.holder, QStringLiteral("Eve\r\n"));
        ASSERT_EQ(keeper({"create", temp.path()}).line, "ok");
        expectOnDisk("9\r\n", "Eve\r\n");
    }

    prepare(false, false);
    EXPECT_EQ(store.readRecord().holder, QStringLiteral("Anna\r\n"));
    ASSERT_EQ(keeper({"create", temp.path()}).line, "ok");
    expectOnDisk("5\r\n", "Anna\r\n");

    // A save finds and finishes the debris just the same before comparing.
    prepare(true, false);
    EXPECT_EQ(keeper({"save", temp.path(), "8", "Bruno"}).line, "not-beaten");
    expectOnDisk("9\r\n", "Eve\r\n");
}

TEST_F(RecordKeeperTest, ASaveIsSavedOnceCommittedAndAFailureBeforeKeepsItsCause) {
    ASSERT_EQ(keeper({"create", temp.path()}).exitCode, 0);
    ASSERT_EQ(keeper({"save", temp.path(), "5", "Anna"}).line, "saved");
    // A plain copy: ./play.sh makes the built keeper set-group-id, and the
    // loader then ignores LD_PRELOAD.
    QTemporaryDir programs;
    const QString plain = programs.path() + QStringLiteral("/trovapunti-record");
    ASSERT_TRUE(QFile::copy(kKeeper, plain));
    const auto failing = [&plain](const char* call, const QStringList& arguments) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("LD_PRELOAD", QStringLiteral(FAILING_CALLS_PATH));
        environment.insert("ASAN_OPTIONS", "verify_asan_link_order=0");
        environment.insert("TROVAPUNTI_FAIL_CALL", call);
        process.setProcessEnvironment(environment);
        KeeperProcess::start(process, plain, arguments);
        return KeeperProcess::collect(process);
    };

    // The intent is on disk when the rename fails: the record is the
    // player's, and the next keeper completes it.
    const Reply renameFails = failing("rename", {"save", temp.path(), "9", "Eve"});
    EXPECT_EQ(renameFails.exitCode, 0);
    EXPECT_EQ(renameFails.line, "saved");
    EXPECT_EQ(keeper({"read", temp.path()}).line, "record 3 5\n9\r\nEve");
    EXPECT_EQ(keeper({"create", temp.path()}).line, "ok");
    EXPECT_EQ(bytesOf(tempPath("crt.txt")), "9\r\n");
    EXPECT_EQ(bytesOf(tempPath("ncrt.txt")), "Eve\r\n");

    // A file server's failure is not "not a regular file".
    for (const QStringList& arguments :
         {QStringList{"read", temp.path()}, QStringList{"save", temp.path(), "10", "Bruno"}}) {
        const Reply fstatFails = failing("fstat", arguments);
        EXPECT_EQ(fstatFails.exitCode, 2);
        EXPECT_EQ(fstatFails.line,
                  QByteArray("error trovapunti.lock ") + QByteArray::number(ESTALE));
    }
    EXPECT_EQ(bytesOf(tempPath("crt.txt")), "9\r\n");
}

TEST_F(RecordKeeperTest, AGameStillSavingMakesTheNextWaitAndThenCompare) {
    ASSERT_TRUE(put(tempPath("crt.txt"), "5\r\n"));
    KeeperProcess::LockHolder other(tempPath("trovapunti.lock"));
    ASSERT_TRUE(other.holding());

    QProcess waiting;
    KeeperProcess::start(waiting, kKeeper, {"save", temp.path(), "6", "Eve"});
    // A game starting meanwhile waits only briefly, then plays on without
    // the record.
    const Reply starting = keeper({"read", temp.path()});
    EXPECT_EQ(starting.exitCode, 2);
    EXPECT_EQ(starting.line, "error trovapunti.lock busy");
    EXPECT_FALSE(waiting.waitForFinished(100)) << "saved while another game held the lock";
    // The other game stores 7 meanwhile, then lets go.
    ASSERT_TRUE(put(tempPath("crt.txt"), "7\r\n"));
    other.release();

    const Reply reply = KeeperProcess::collect(waiting);
    EXPECT_EQ(reply.line, "not-beaten");
    EXPECT_EQ(bytesOf(tempPath("crt.txt")), "7\r\n");
}

TEST_F(RecordKeeperTest, ALockThatIsNotAFileGetsAnAnswerNotAFreeze) {
    for (const char* kind : {"directory", "fifo", "link"}) {
        const QString lock = tempPath("trovapunti.lock");
        const QByteArray encoded = QFile::encodeName(lock);
        if (std::string(kind) == "directory") {
            ASSERT_TRUE(QDir().mkdir(lock));
        } else if (std::string(kind) == "fifo") {
            ASSERT_EQ(::mkfifo(encoded.constData(), 0664), 0);
        } else {
            ASSERT_TRUE(put(tempPath("elsewhere"), ""));
            ASSERT_EQ(::symlink(QFile::encodeName(tempPath("elsewhere")).constData(),
                                encoded.constData()),
                      0);
        }
        for (const QStringList& arguments :
             {QStringList{"create", temp.path()}, QStringList{"save", temp.path(), "3", "Eve"}}) {
            const Reply reply = keeper(arguments);
            EXPECT_EQ(reply.exitCode, 2) << kind;
            EXPECT_EQ(reply.line, "error trovapunti.lock not-regular") << kind;
        }
        ASSERT_TRUE(QDir().rmdir(lock) || QFile::remove(lock));
    }
    EXPECT_EQ(bytesOf(tempPath("elsewhere")), QByteArray());
}

// Runs the keeper of several machines at once: each saver sees its own host
// name, as on computers sharing the record directory over the network.
TEST_F(RecordKeeperTest, SaversWithDifferentHostNamesTakeTurns) {
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    if (unshare.isEmpty() ||
        KeeperProcess::run(unshare, {"--uts", "hostname", "trovapunti-test"}).exitCode != 0) {
        GTEST_SKIP() << "no UTS namespaces here (unshare --uts needs root)";
    }
    ASSERT_EQ(keeper({"create", temp.path()}).exitCode, 0);
    const std::vector<int> scores = {4, 11, 7, 2, 9, 12, 3, 8};
    KeeperProcess::LockHolder gate(tempPath("trovapunti.lock"));
    ASSERT_TRUE(gate.holding());
    std::vector<std::unique_ptr<QProcess>> savers;
    for (std::size_t i = 0; i < scores.size(); ++i) {
        const QString host = QStringLiteral("aula-pc%1").arg(i);
        savers.push_back(std::make_unique<QProcess>());
        KeeperProcess::start(
            *savers.back(), unshare,
            {"--uts", "sh", "-c",
             R"sh(hostname "$1" && test "$(hostname)" = "$1" && exec "$2" save "$3" "$4" "$5")sh",
             "sh", host, kKeeper, temp.path(), QString::number(scores[i]), host});
    }
    gate.release();

    int saved = 0;
    for (auto& saver : savers) {
        const Reply reply = KeeperProcess::collect(*saver);
        EXPECT_TRUE(reply.line == "saved" || reply.line == "not-beaten") << reply.line.data();
        saved += reply.line == "saved" ? 1 : 0;
    }
    EXPECT_GE(saved, 1);
    EXPECT_EQ(bytesOf(tempPath("crt.txt")), "12\r\n");
    EXPECT_EQ(bytesOf(tempPath("ncrt.txt")), "aula-pc5\r\n");
}

// Starts the keeper with its standard output on a pipe that is already full
// and that nobody reads, as `{ head -c 65536 /dev/zero; exec keeper ...; } |
// sleep 1d` would; gives its process and the pipe's reading end.
pid_t startWithFullOutput(const QStringList& arguments, int& readEnd) {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return -1;
    }
    ::fcntl(ends[1], F_SETFL, O_NONBLOCK);
    const char zeros[4096] = {};
    while (::write(ends[1], zeros, sizeof zeros) > 0) {
    }
    ::fcntl(ends[1], F_SETFL, 0);
    std::vector<QByteArray> words{QFile::encodeName(kKeeper)};
    for (const QString& argument : arguments) {
        words.push_back(argument.toUtf8());
    }
    std::vector<char*> argv;
    for (QByteArray& word : words) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(ends[1], STDOUT_FILENO);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(ends[1]);
    readEnd = ends[0];
    return child;
}

// Whether the process sleeps writing into a pipe, waiting for it at most 10 s.
bool stuckWriting(pid_t process) {
    const QString wchan = QStringLiteral("/proc/%1/wchan").arg(process);
    for (int tries = 0; tries < 1000; ++tries) {
        if (bytesOf(wchan).endsWith("pipe_write")) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// A keeper whose answer nobody reads (a pupil's `| sleep 1d`) has let the
// lock go before it answers: every other game reads, saves and logs as if it
// were not there.
TEST_F(RecordKeeperTest, AKeeperWhoseAnswerNobodyReadsHoldsUpNobody) {
    ASSERT_EQ(keeper({"save", temp.path(), "5", "Bea"}).line, "saved");
    std::vector<std::pair<pid_t, int>> stuck;
    for (const QStringList& command :
         {QStringList{"read", temp.path()}, QStringList{"save", temp.path(), "7", "Eve"},
          QStringList{"log", temp.path(), "7", "1", "yes", "Eve"}}) {
        int readEnd = -1;
        const pid_t process = startWithFullOutput(command, readEnd);
        ASSERT_GT(process, 0);
        stuck.emplace_back(process, readEnd);
        ASSERT_TRUE(stuckWriting(process)) << command.join(' ').toStdString();
    }

    EXPECT_EQ(keeper({"read", temp.path()}).line, "record 3 5\n7\r\nEve");
    EXPECT_EQ(keeper({"save", temp.path(), "9", "Ada"}).line, "saved");
    EXPECT_EQ(keeper({"log", temp.path(), "9", "0", "yes", "Ada"}).line, "logged");
    EXPECT_EQ(bytesOf(tempPath("risultati.csv")).count('\n'), 3);
    for (const auto& [process, readEnd] : stuck) {
        EXPECT_EQ(::waitpid(process, nullptr, WNOHANG), 0) << "a keeper was not held by its pipe";
        ::kill(process, SIGKILL);
        ::waitpid(process, nullptr, 0);
        ::close(readEnd);
    }
}

// Runs the keeper four times with a system log of the test's own: /dev/log
// in a private mount namespace, received here.
constexpr const char* kLogListener = R"py(
import os, socket, subprocess, sys
keeper, directory = sys.argv[1:3]
log = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
log.bind("/dev/log")
os.chmod("/dev/log", 0o666)
log.settimeout(10)
nobody = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", "--"]
for command in ([keeper, "save", directory, "7", "Eve"],
                [keeper, "save", directory, "8", "\u202eEve"],
                nobody + [keeper, "save", directory, "32767", "Eve"],
                [keeper, "log", directory, "3", "1", "no", "Eve"]):
    subprocess.run(command, capture_output=True)
    print(log.recv(4096).decode())
)py";

TEST_F(RecordKeeperTest, EverySaveIsLoggedWithTheCallingAccountScoreAndOutcome) {
    const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (::geteuid() != 0 || unshare.isEmpty() || python.isEmpty()) {
        GTEST_SKIP() << "needs root, unshare and python3 for a system log of its own";
    }
    ASSERT_EQ(keeper({"create", temp.path()}).exitCode, 0);
    const Reply log = KeeperProcess::run(
        unshare, {"--mount", "--propagation", "private", "sh", "-c",
                  R"sh(mount -t tmpfs trovapunti-log /dev && exec "$0" -c "$1" "$2" "$3")sh",
                  python, kLogListener, kKeeper, temp.path()});
    ASSERT_TRUE(log.finished);
    ASSERT_EQ(log.exitCode, 0) << log.line.data();
    const QList<QByteArray> lines = log.line.split('\n');
    ASSERT_EQ(lines.size(), 4) << log.line.data();
    EXPECT_TRUE(lines[0].contains("trovapunti-record[")) << lines[0].data();
    EXPECT_TRUE(lines[0].endsWith("save by account root (uid 0), score 7: saved"))
        << lines[0].data();
    EXPECT_TRUE(lines[1].endsWith("save by account root (uid 0), score 8: refused name"))
        << lines[1].data();
    EXPECT_TRUE(lines[2].endsWith(QByteArray("save by account nobody (uid 65534), score 32767: "
                                             "error . ") +
                                  QByteArray::number(EACCES)))
        << lines[2].data();
    EXPECT_TRUE(lines[3].endsWith("log by account root (uid 0), right 3, wrong 1: logged"))
        << lines[3].data();
    EXPECT_EQ(bytesOf(tempPath("crt.txt")), "7\r\n");
}

// What a pupil may try on the files a save of theirs created (and so owns):
// each operation that succeeds prints its name.
constexpr const char* kAttacks = R"sh(
d=$1
for f in crt.txt ncrt.txt trovapunti.lock trovapunti.intent crt.txt.new ncrt.txt.new; do
    chmod 0 "$d/$f" 2>/dev/null && echo "chmod $f"
    (printf '99\r\n' 1<>"$d/$f") 2>/dev/null && echo "rewrite $f"
    (: >"$d/$f") 2>/dev/null && echo "truncate $f"
    mv -f "$d/$f" "$d/$f.moved" 2>/dev/null && echo "rename $f"
    unlink "$d/$f" 2>/dev/null && echo "unlink $f"
    ln -s /tmp "$d/$f.link" 2>/dev/null && echo "link $f"
done
exit 0
)sh";

// The keeper built for the tests keeps its privilege for DRILL_RECORD_DIR,
// as the installed one does for the machine's record directory. Pupils are
// accounts outside its group.
TEST(RecordKeeperPrivilegeTest, PupilsSaveAndReadOnlyThroughTheKeeperAndCannotTouchWhatTheySaved) {
    const gid_t keeperGroup = unusedId(true, 47000);
    const gid_t pupilGroup = unusedId(true, keeperGroup + 1);
    const uid_t pupil = unusedId(false, 47000);
    const uid_t rival = unusedId(false, pupil + 1);
    const SetGroupIdKeeper privileged(kDrillKeeper, keeperGroup);
    if (privileged.whyNot != nullptr) {
        GTEST_SKIP() << privileged.whyNot;
    }
    const QString& copy = privileged.path;

    const QString shared = QStringLiteral(DRILL_RECORD_DIR);
    QDir(shared).removeRecursively();
    const auto as = [&](uid_t account, const QString& program, const QStringList& arguments) {
        return KeeperProcess::runAs(account, pupilGroup, program, arguments);
    };
    // Only root makes a missing machine-wide directory, so it is root's.
    EXPECT_EQ(as(pupil, copy, {"create", shared}).line,
              QByteArray("error . ") + QByteArray::number(ENOENT));
    EXPECT_FALSE(QFileInfo::exists(shared));
    EXPECT_EQ(KeeperProcess::run(copy, {"create", shared}).line, "ok");
    EXPECT_EQ(modeOf(shared), 02770);
    EXPECT_EQ(QFileInfo(shared).ownerId(), 0u);
    EXPECT_EQ(QFileInfo(shared).groupId(), keeperGroup);

    // Without the copy's privilege a pupil cannot even enter the directory.
    EXPECT_EQ(as(pupil, kDrillKeeper, {"read", shared}).line,
              QByteArray("error . ") + QByteArray::number(EACCES));

    EXPECT_EQ(as(pupil, copy, {"save", shared, "7", "Pupilla"}).line, "saved");
    for (const char* name : {"crt.txt", "ncrt.txt", "trovapunti.lock"}) {
        const QFileInfo info(shared + '/' + name);
        EXPECT_EQ(info.groupId(), keeperGroup) << name;
        EXPECT_EQ(modeOf(shared + '/' + name), 0660) << name;
    }
    EXPECT_EQ(QFileInfo(shared + "/crt.txt").ownerId(), pupil) << "the saver owns what it saved";

    // The saver's attacks on every file there, the keeper's scratch names
    // included, all fail and change nothing.
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sh"));
    const Reply attacks = as(pupil, shell, {"-c", kAttacks, "sh", shared});
    EXPECT_TRUE(attacks.finished);
    EXPECT_EQ(attacks.line, QByteArray()) << "a pupil could change the record directory";
    EXPECT_EQ(bytesOf(shared + "/crt.txt"), "7\r\n");
    EXPECT_EQ(bytesOf(shared + "/ncrt.txt"), "Pupilla\r\n");
    EXPECT_EQ(entries(shared), QStringList({"crt.txt", "ncrt.txt", "trovapunti.lock"}));

    // Another pupil then saves and reads a whole pair.
    EXPECT_EQ(as(rival, copy, {"save", shared, "9", "Bruno"}).line, "saved");
    EXPECT_EQ(as(rival, copy, {"read", shared}).line, "record 3 7\n9\r\nBruno");
    EXPECT_EQ(as(pupil, copy, {"read", shared}).line, "record 3 7\n9\r\nBruno");
    EXPECT_EQ(modeOf(shared), 02770);

    // Reading needs no write access, not even to the lock file.
    const QByteArray lockFile = QFile::encodeName(shared + "/trovapunti.lock");
    ASSERT_EQ(::chmod(lockFile.constData(), 0440), 0);
    EXPECT_EQ(as(pupil, copy, {"read", shared}).line, "record 3 7\n9\r\nBruno");
    ASSERT_EQ(::chmod(lockFile.constData(), 0660), 0);

    // A directory that is not closed (open to others or owned by a pupil) may hold anything: the
    // keeper uses nothing in it and says why on its error stream.
    const QByteArray sharedName = QFile::encodeName(shared);
    const auto refusedThere = [&](const char* what) {
        // The error stream only: a sanitizer build may add its own lines.
        const Reply reply =
            as(pupil, shell,
               {"-c", R"sh("$0" save "$1" 99 Intrusa 2>&1 >/dev/null | grep -c "is not closed")sh",
                copy, shared});
        EXPECT_EQ(reply.line, "1") << what;
        EXPECT_EQ(as(pupil, copy, {"read", shared}).line, "error . not-closed") << what;
    };
    ASSERT_EQ(::chmod(sharedName.constData(), 02775), 0);
    refusedThere("open to others");
    ASSERT_EQ(::chmod(sharedName.constData(), 02770), 0);
    ASSERT_EQ(::chown(sharedName.constData(), pupil, keeperGroup), 0);
    refusedThere("a pupil's");
    ASSERT_EQ(::chown(sharedName.constData(), 0, keeperGroup), 0);
    ASSERT_EQ(::chmod(sharedName.constData(), 02770), 0);
    EXPECT_EQ(bytesOf(shared + "/crt.txt"), "9\r\n");

    // Asked about any other directory the copy keeps no privilege at all.
    QTemporaryDir other;
    ASSERT_TRUE(other.isValid());
    ASSERT_EQ(::chown(QFile::encodeName(other.path()).constData(), 0, keeperGroup), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(other.path()).constData(), 0775), 0);
    EXPECT_EQ(as(pupil, copy, {"create", other.path()}).line,
              QByteArray("error trovapunti.lock ") + QByteArray::number(EACCES));
    EXPECT_FALSE(QFileInfo::exists(other.path() + "/crt.txt"));
    QDir(shared).removeRecursively();
}

} // namespace

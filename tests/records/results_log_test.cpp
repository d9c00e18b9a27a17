// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The teachers' results log: the line for one game, and the keeper's log
// command as the end of a game runs it, read back the way a spreadsheet or
// Python's csv module reads it.

#include "KeeperProcess.h"
#include "TestFiles.h"
#include "records/keeper/ResultsLog.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace TestFiles;

namespace {

TEST(ResultsLogLine, QuotesEveryTextAndMarksWhatASpreadsheetWouldMisread) {
    ResultsLog::Game game{"2026-12-09", "14:30:05", "aula-pc", "mrossi", "Zoë", 12, 3, true};
    EXPECT_EQ(ResultsLog::line(game),
              "2026-12-09;14:30:05;\"aula-pc\";\"mrossi\";\"Zoë\";12;3;15;\"sì\"\r\n");

    EXPECT_EQ(ResultsLog::field("Anna; Bruno, Carla"), "\"Anna; Bruno, Carla\"");
    EXPECT_EQ(ResultsLog::field("Dì \"ciao\""), "\"Dì \"\"ciao\"\"\"");
    EXPECT_EQ(ResultsLog::field("in\nfondo\r"), "\"in?fondo?\"");
    EXPECT_EQ(ResultsLog::field(""), "\"\"");
    // A formula start, after blanks a spreadsheet may trim (a space, a
    // no-break or an ideographic space), or a look-alike of one (full-width,
    // small, the minus sign); a digit anywhere; a truth value.
    for (const char* misread : {"=1+1",
                                "+39",
                                "-1",
                                "@SOMMA(A1)",
                                "#N/A",
                                " =1+1",
                                "\xC2\xA0=1+1",
                                "\xE3\x80\x80=1+1",
                                "\xE2\x80\xAF =1+1",
                                "\xEF\xBC\x9D"
                                "1+1",
                                "\xEF\xB9\xA2"
                                "1",
                                "\xE2\x88\x92"
                                "1",
                                "007",
                                "3/4",
                                "1,5",
                                "10 dic",
                                "Anna2",
                                "\xEF\xBC\x97",
                                "vero",
                                " FALSE "}) {
        EXPECT_EQ(ResultsLog::field(misread), std::string("\"'") + misread + '"') << misread;
    }
    for (const char* plain : {"Anna", "Zoë Niccolò", "Vera", "a=b", "Luca-Maria"}) {
        EXPECT_EQ(ResultsLog::field(plain), std::string("\"") + plain + '"') << plain;
    }

    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    ::setenv("TZ", "CET-1", 1);
    ::tzset();
    EXPECT_EQ(ResultsLog::localMoment(0).date, "1970-01-01");
    EXPECT_EQ(ResultsLog::localMoment(0).time, "01:00:00");
    // The last line of the account, read back in the same time zone; a name
    // that looks like the account, or a line another program wrote, is not it.
    const std::string log =
        std::string(ResultsLog::kHeader) +
        "1970-01-01;01:00:00;\"pc\";\"anna\";\"x\";1;0;1;\"no\"\r\n"
        "1970-01-01;02:00:00;\"pc\";\"anna\";\"x\";1;0;1;\"no\"\r\n"
        "1970-01-01;03:00:00;\"pc\";\"bruno\";\"anna\";1;0;1;\"no\"\r\n"
        "1970-01-01;04:00:00;\"pc\";\"bruno\";\"\"\";\"\"anna\";1;0;1;\"no\"\r\n"
        "scritto a mano;\"anna\"\r\n";
    EXPECT_EQ(ResultsLog::lastGameOf(log, "anna"), std::optional<std::time_t>(3600));
    EXPECT_EQ(ResultsLog::lastGameOf(log, "carla"), std::nullopt);
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    EXPECT_EQ(ResultsLog::localMoment(86399).time, "23:59:59");
    zone ? ::setenv("TZ", saved.c_str(), 1) : ::unsetenv("TZ");
    ::tzset();
}

class ResultsLogKeeper : public KeeperDirectoryTest {
protected:
    QByteArray logGame(const QString& right, const QString& wrong, const QString& record,
                       const QString& name) const {
        return KeeperProcess::run(kKeeper, {"log", dir, right, wrong, record, name}).line;
    }
};

TEST_F(ResultsLogKeeper, EachFinishedGameAddsOneLineThatCsvReadersSplitIntoItsColumns) {
    const UmaskGuard umask(077); // the keeper sets its own
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    ASSERT_EQ(logGame("12", "3", "yes", QStringLiteral("Zoë Niccolò")), "logged");
    ASSERT_EQ(logGame("0", "1", "no", QStringLiteral("=1+1;\"x\"")), "logged");
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    EXPECT_EQ(modeOf(log), 0660);

    // Whatever a game asks that no game could have, the log stays as it is.
    const QByteArray written = bytesOf(log);
    EXPECT_EQ(logGame("0", "0", "no", "Anna"), "refused counts");
    EXPECT_EQ(logGame("-1", "2", "no", "Anna"), "refused counts");
    EXPECT_EQ(logGame("1", "2", "forse", "Anna"), "refused counts");
    EXPECT_EQ(logGame("1", "2", "no", QStringLiteral("Anna\r\n2026;x")), "refused name");
    EXPECT_EQ(KeeperProcess::run(kKeeper, {"log", dir, "1", "2", "no"}).line, "refused arguments");
    EXPECT_EQ(bytesOf(log), written);

    const QList<QByteArray> lines = written.split('\n');
    ASSERT_EQ(lines.size(), 4) << written.toStdString();
    EXPECT_EQ(lines[0] + '\n', ResultsLog::kHeader);
    EXPECT_EQ(lines[3], QByteArray());

    char host[256] = {};
    ASSERT_EQ(::gethostname(host, sizeof host - 1), 0);
    const passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);

    // Python's csv module, told the separator, gives back each field as typed.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty()) {
        GTEST_SKIP() << "no python3 to read the log back";
    }
    QProcess reader;
    reader.start(python, {"-c",
                          "import csv, json, sys\n"
                          "with open(sys.argv[1], encoding='utf-8-sig', newline='') as f:\n"
                          "    print(json.dumps(list(csv.reader(f, delimiter=';'))))\n",
                          log});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    ASSERT_EQ(rows.size(), 3);
    const QStringList header = rows[0].toVariant().toStringList();
    EXPECT_EQ(header, QStringList({"data", "ora", "computer", "utente", "nome", "esatte",
                                   "sbagliate", "totale", "record"}));
    const QStringList first = rows[1].toVariant().toStringList();
    const QStringList second = rows[2].toVariant().toStringList();
    ASSERT_EQ(first.size(), 9);
    ASSERT_EQ(second.size(), 9);
    const QString hostText = QString::fromStdString(ResultsLog::field(host)).mid(1).chopped(1);
    EXPECT_EQ(first.mid(2), QStringList({hostText, QString::fromLocal8Bit(account->pw_name),
                                         QStringLiteral("Zoë Niccolò"), "12", "3", "15", "sì"}));
    EXPECT_EQ(second.mid(2), QStringList({hostText, QString::fromLocal8Bit(account->pw_name),
                                          QStringLiteral("'=1+1;\"x\""), "0", "1", "1", "no"}));
    for (const QStringList& row : {first, second}) {
        const QDateTime moment = QDateTime::fromString(row[0] + 'T' + row[1], Qt::ISODate);
        EXPECT_TRUE(moment >= before && moment <= after) << row.join(';').toStdString();
    }
}

TEST_F(ResultsLogKeeper, ALineCutShortIsDroppedAndAFullLogMovesAsideWhole) {
    ASSERT_EQ(logGame("1", "0", "yes", "Anna"), "logged");
    const QByteArray whole = bytesOf(log);
    // What a crash in the middle of a write could leave behind.
    ASSERT_TRUE(put(log, whole + "2026-12-09;10:00:00;\"pc\";\"anna\";\"Ann"));
    ASSERT_EQ(logGame("2", "0", "yes", "Bruno"), "logged");
    const QByteArray mended = bytesOf(log);
    EXPECT_TRUE(mended.startsWith(whole));
    EXPECT_EQ(mended.count("\r\n"), 3);
    EXPECT_TRUE(mended.endsWith(";\"Bruno\";2;0;2;\"sì\"\r\n")) << mended.toStdString();

    // Past the bound the whole log becomes the older one, and a new one starts.
    QByteArray full = mended;
    const QByteArray filler = "2026-12-09;10:00:00;\"pc\";\"anna\";\"Anna\";1;0;1;\"no\"\r\n";
    while (full.size() + filler.size() <= qsizetype(ResultsLog::kMaxBytes) - 20) {
        full += filler;
    }
    ASSERT_TRUE(put(log, full));
    // Never over a link, a second name, a FIFO or a directory, nor into one.
    const QString older = dir + "/risultati.1.csv";
    const QByteArray olderName = QFile::encodeName(older);
    const QString outside = temp.path() + "/outside";
    ASSERT_TRUE(put(outside, "fuori\r\n"));
    const std::function<bool()> plants[] = {
        [&] { return QFile::link(outside, older); },
        [&] { return ::link(QFile::encodeName(outside).constData(), olderName.constData()) == 0; },
        [&] { return ::mkfifo(olderName.constData(), 0660) == 0; },
        [&] {
            return QDir().mkdir(older);
        }};
    for (const auto& plant : plants) {
        ASSERT_TRUE(plant());
        EXPECT_EQ(logGame("3", "0", "yes", "Carla"), "error risultati.1.csv not-regular");
        EXPECT_EQ(bytesOf(log), full);
        ASSERT_TRUE(QFile::remove(older) || QDir().rmdir(older));
    }
    EXPECT_EQ(bytesOf(outside), "fuori\r\n");
    ASSERT_TRUE(QFile::rename(log, log + ".kept"));
    ASSERT_TRUE(QDir().mkdir(log));
    EXPECT_EQ(logGame("3", "0", "yes", "Carla"), "error risultati.csv not-regular");
    ASSERT_TRUE(QDir().rmdir(log) && QFile::rename(log + ".kept", log));
    ASSERT_TRUE(put(older, "the log before\r\n"));
    ASSERT_EQ(logGame("3", "0", "yes", "Carla"), "logged");
    EXPECT_EQ(bytesOf(dir + "/risultati.1.csv"), full);
    const QByteArray fresh = bytesOf(log);
    EXPECT_TRUE(fresh.startsWith(QByteArray(ResultsLog::kHeader)));
    EXPECT_TRUE(fresh.endsWith(";\"Carla\";3;0;3;\"sì\"\r\n"));
    EXPECT_EQ(fresh.count("\r\n"), 2);
}

} // namespace

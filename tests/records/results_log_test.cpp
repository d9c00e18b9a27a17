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
#include <pwd.h>
#include <unistd.h>

using namespace TestFiles;

namespace {

TEST(ResultsLogLine, HoldsTheGameAndQuotesWhatASpreadsheetWouldMisread) {
    ResultsLog::Game game{"2026-12-09T14:30:05+01:00", "aula3-pc07", "mrossi", "Zoë", 12, 3, true};
    EXPECT_EQ(ResultsLog::line(game),
              "2026-12-09T14:30:05+01:00;aula3-pc07;mrossi;Zoë;12;3;15;sì\r\n");
    game.name = "=HYPERLINK(\"http://x\";\"clic\")";
    game.record = false;
    EXPECT_EQ(ResultsLog::line(game),
              "2026-12-09T14:30:05+01:00;aula3-pc07;mrossi;"
              "\"'=HYPERLINK(\"\"http://x\"\";\"\"clic\"\")\";12;3;15;no\r\n");

    EXPECT_EQ(ResultsLog::field("Anna; Bruno"), "\"Anna; Bruno\"");
    EXPECT_EQ(ResultsLog::field("Dì \"ciao\""), "\"Dì \"\"ciao\"\"\"");
    for (const char* formula : {"+39", "-1", "@SOMMA(A1)"}) {
        EXPECT_EQ(ResultsLog::field(formula), std::string("\"'") + formula + '"') << formula;
    }
    EXPECT_EQ(ResultsLog::field("in\nfondo\r"), "in?fondo?");
    EXPECT_EQ(ResultsLog::field(""), "");

    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    ::setenv("TZ", "CET-1", 1);
    ::tzset();
    EXPECT_EQ(ResultsLog::localTime(0), "1970-01-01T01:00:00+01:00");
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    EXPECT_EQ(ResultsLog::localTime(86399), "1970-01-01T23:59:59+00:00");
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
    EXPECT_EQ(lines[0], "\xEF\xBB\xBF"
                        "data e ora;computer;utente;nome;esatte;sbagliate;totale;record\r");
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
    EXPECT_EQ(header, QStringList({"data e ora", "computer", "utente", "nome", "esatte",
                                   "sbagliate", "totale", "record"}));
    const QStringList first = rows[1].toVariant().toStringList();
    const QStringList second = rows[2].toVariant().toStringList();
    ASSERT_EQ(first.size(), 8);
    ASSERT_EQ(second.size(), 8);
    EXPECT_EQ(first.mid(1),
              QStringList({QString::fromLocal8Bit(host), QString::fromLocal8Bit(account->pw_name),
                           QStringLiteral("Zoë Niccolò"), "12", "3", "15", "sì"}));
    EXPECT_EQ(second.mid(1),
              QStringList({QString::fromLocal8Bit(host), QString::fromLocal8Bit(account->pw_name),
                           QStringLiteral("'=1+1;\"x\""), "0", "1", "1", "no"}));
    for (const QString& when : {first[0], second[0]}) {
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d[+-]\d\d:\d\d$)"))
                .match(when)
                .hasMatch())
            << when.toStdString();
        const QDateTime moment = QDateTime::fromString(when, Qt::ISODate);
        EXPECT_TRUE(moment >= before && moment <= after) << when.toStdString();
    }
}

TEST_F(ResultsLogKeeper, ALineCutShortIsDroppedAndAFullLogMovesAsideWhole) {
    ASSERT_EQ(logGame("1", "0", "yes", "Anna"), "logged");
    const QByteArray whole = bytesOf(log);
    // What a crash in the middle of a write could leave behind.
    ASSERT_TRUE(put(log, whole + "2026-12-09T10:00:00+01:00;pc;anna;Ann"));
    ASSERT_EQ(logGame("2", "0", "yes", "Bruno"), "logged");
    const QByteArray mended = bytesOf(log);
    EXPECT_TRUE(mended.startsWith(whole));
    EXPECT_EQ(mended.count("\r\n"), 3);
    EXPECT_TRUE(mended.endsWith(";Bruno;2;0;2;sì\r\n")) << mended.toStdString();

    // Past the bound the whole log becomes the older one, and a new one starts.
    QByteArray full = mended;
    const QByteArray filler = "2026-12-09T10:00:00+01:00;pc;anna;Anna;1;0;1;no\r\n";
    while (full.size() + filler.size() <= qsizetype(ResultsLog::kMaxBytes) - 20) {
        full += filler;
    }
    ASSERT_TRUE(put(log, full));
    ASSERT_TRUE(put(dir + "/risultati.1.csv", "the log before\r\n"));
    ASSERT_EQ(logGame("3", "0", "yes", "Carla"), "logged");
    EXPECT_EQ(bytesOf(dir + "/risultati.1.csv"), full);
    const QByteArray fresh = bytesOf(log);
    EXPECT_TRUE(fresh.startsWith(QByteArray(ResultsLog::kHeader)));
    EXPECT_TRUE(fresh.endsWith(";Carla;3;0;3;sì\r\n"));
    EXPECT_EQ(fresh.count("\r\n"), 2);
}

} // namespace

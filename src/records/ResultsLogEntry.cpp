// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/ResultsLogEntry.h"

#include "records/HolderName.h"

#include <QDir>
#include <QProcess>

#include <cstdio>
#include <syslog.h>

namespace {

void report(const QString& why) {
    const QByteArray text = QStringLiteral("the results log was not written: %1").arg(why).toUtf8();
    std::fprintf(stderr, "trovapunti: %s\n", text.constData());
    openlog("trovapunti", LOG_PID, LOG_USER);
    syslog(LOG_WARNING, "%s", text.constData());
    closelog();
}

} // namespace

bool logGameResult(const QString& directory, int right, int wrong, bool setRecord,
                   const QString& name, const QString& keeper) {
    if (right < 0 || wrong < 0 || right + wrong == 0) {
        return false;
    }
    // An argument cannot carry a NUL, so the keeper would never see the
    // part of the name after one.
    if (!isHolderName(name)) {
        report(QStringLiteral("the name is not one plain line"));
        return false;
    }
    QProcess process;
    process.setProgram(keeper);
    process.setArguments({QStringLiteral("log"), QDir::cleanPath(QDir(directory).absolutePath()),
                          QString::number(right), QString::number(wrong),
                          setRecord ? QStringLiteral("yes") : QStringLiteral("no"), name});
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    if (!process.startDetached()) {
        report(QStringLiteral("%1 did not start").arg(keeper));
        return false;
    }
    return true;
}

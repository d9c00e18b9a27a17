// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDir>
#include <QFile>
#include <QString>
#include <QThread>

// The end of a game leaves the results line to a record keeper it does not
// wait for. A test waits for such keepers still at work in its record
// directory (up to 20 s) before the directory goes.
inline void waitForResultsLogKeepers(const QString& recordDirectory) {
    const QByteArray directory =
        QFile::encodeName(QDir::cleanPath(QDir(recordDirectory).absolutePath()));
    for (int i = 0; i < 400; ++i) {
        bool working = false;
        const QStringList processes = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
        for (const QString& pid : processes) {
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (!cmdline.open(QIODevice::ReadOnly)) {
                continue;
            }
            const QList<QByteArray> arguments = cmdline.readAll().split('\0');
            if (arguments.size() >= 3 && arguments[0].endsWith("trovapunti-record") &&
                arguments[1] == "log" && arguments[2] == directory) {
                working = true;
                break;
            }
        }
        if (!working) {
            return;
        }
        QThread::msleep(50);
    }
}

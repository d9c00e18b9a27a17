// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves one game's score into a record directory, for tests that need
// several games, or a game killed in the middle of its save.
//
//   record_saver DIR SCORE NAME [--wait-for-go] [--pause-before-commit]
//
// --wait-for-go: print "waiting" and save only once a line arrives on stdin,
//   so that a test can release several savers at the same moment.
// --pause-before-commit: once both new files are written, print "ready" and
//   hold on, lock taken, until a line arrives on stdin (or the test kills
//   it); only then put the files in place.
//
// Exit status: 0 saved, 1 not beaten, 2 failed, 3 bad arguments.

#include "records/RecordStore.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: record_saver DIR SCORE NAME [options]\n");
        return 3;
    }
    bool ok = false;
    const double score = args.at(2).toDouble(&ok);
    if (!ok) {
        std::fprintf(stderr, "record_saver: SCORE must be a number\n");
        return 3;
    }

    RecordStore store(args.at(1));
    // Mutual exclusion is under test here, not patience: never give up early.
    store.setLockTimeout(std::chrono::minutes(1));
    if (args.contains(QStringLiteral("--pause-before-commit"))) {
        store.setCommitForTesting([paused = false](QSaveFile& file) mutable {
            if (!paused) {
                paused = true;
                std::cout << "ready" << std::endl;
                std::string line;
                std::getline(std::cin, line);
            }
            return file.commit();
        });
    }
    if (args.contains(QStringLiteral("--wait-for-go"))) {
        std::cout << "waiting" << std::endl;
        std::string line;
        std::getline(std::cin, line);
    }

    const SaveOutcome outcome = store.saveIfBeaten(score, args.at(2), args.at(3));
    switch (outcome.status) {
    case SaveOutcome::Status::Saved:
        return 0;
    case SaveOutcome::Status::NotBeaten:
        return 1;
    case SaveOutcome::Status::Failed:
        break;
    }
    std::fprintf(stderr, "%s\n", qPrintable(outcome.error ? outcome.error->message() : QString()));
    return 2;
}

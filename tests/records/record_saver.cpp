// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Saves one game's score into a record directory, for tests that need
// several games ending at the same time.
//
//   record_saver DIR SCORE NAME [--wait-for-go]
//
// --wait-for-go: print "waiting" and save only once a line arrives on stdin,
//   so that a test can release several savers at the same moment.
//
// Exit status: 0 saved, 1 not beaten, 2 failed, 3 bad arguments.

#include "records/RecordStore.h"

#include <QCoreApplication>
#include <QStringList>

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

    const RecordStore store(args.at(1), QStringLiteral(RECORD_KEEPER_PATH));
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

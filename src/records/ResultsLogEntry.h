// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/RecordKeeperLocation.h"

#include <QString>

// The end of a game with at least one answer: the record keeper appends one
// line to the teachers' results log in the record directory. The game does
// not wait for it; the keeper runs on by itself and reports a log it cannot
// write on the error stream and to the system log. Returns false, after
// reporting the same way, if the keeper could not even be started or the
// game had no answer or a name the keeper refuses.
bool logGameResult(const QString& directory, int right, int wrong, bool setRecord,
                   const QString& name, const QString& keeper = defaultRecordKeeper());

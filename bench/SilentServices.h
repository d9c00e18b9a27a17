// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GameCalendar.h"
#include "game/GameDialogs.h"
#include "game/ProcessTerminator.h"

// Seams for benchmarks that run the game in-process: boxes that answer at
// once, a fixed date, and an end that leaves the process running.
class SilentDialogs : public GameDialogs {
public:
    QString inputBox(const QString&, const QString&) override { return QStringLiteral("Bench"); }
    void messageBox(const QString&, const QString&) override {}
};

class FixedCalendar : public GameCalendar {
public:
    QString shortDate() override { return QStringLiteral("01/01/27"); }
};

class NoTermination : public ProcessTerminator {
public:
    void terminate(int) override {}
};

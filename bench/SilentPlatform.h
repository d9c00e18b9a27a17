// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/QtPlatform.h"

#include <utility>

// The game's platform for benchmarks that run the game in-process: the real
// draws, but boxes that answer at once, a fixed date, the given record
// directory and an end that leaves the process running.
class SilentPlatform : public QtPlatform {
public:
    explicit SilentPlatform(QString records) : records_(std::move(records)) {}

    QString inputBox(const QString&, const QString&) override { return QStringLiteral("Bench"); }
    void messageBox(const QString&, const QString&, const QString& = QString()) override {}
    QString shortDate() override { return QStringLiteral("01/01/27"); }
    QString recordDirectory() override { return records_; }
    void terminate(int) override {}

private:
    QString records_;
};

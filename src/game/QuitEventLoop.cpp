// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/QuitEventLoop.h"

#include <QCoreApplication>

void QuitEventLoop::terminate(int exitStatus) {
    QCoreApplication::exit(exitStatus);
}

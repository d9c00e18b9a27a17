// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The record keeper the game runs: the installed one, or for a game run from
// the build tree (play.sh, the tests) the one built beside it. Both paths
// are fixed at build time; nothing from the environment can move them.
QString defaultRecordKeeper();

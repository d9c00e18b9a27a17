// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>

class QKeyEvent;

// The character code a key press types, as a key-press handler of the window
// sees it: Backspace 8, Enter 13, Escape 27, Ctrl+letter its control
// character, a printable key its character. Keys that type nothing (Tab,
// arrows, Delete, Home, End, function keys, Alt combinations) have none and
// keep their usual editing and focus behaviour.
std::optional<int> characterCode(const QKeyEvent& event);

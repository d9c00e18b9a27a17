// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <chrono>
#include <cstddef>

// The record directory's entries and the limits on what they hold, shared by
// the game and the record keeper. Plain C++ with no toolkit.
namespace RecordFiles {

// The best score and its holder, one line each.
inline constexpr const char* kScore = "crt.txt";
inline constexpr const char* kName = "ncrt.txt";
// A save writes these first and renames them over the pair.
inline constexpr const char* kScoreStaged = "crt.txt.new";
inline constexpr const char* kNameStaged = "ncrt.txt.new";
// Present once a save is committed and until both renames are done.
inline constexpr const char* kIntent = "trovapunti.intent";
// Held shared while the pair is read, exclusively while it is written.
inline constexpr const char* kLock = "trovapunti.lock";

// A record file is one short line; reading stops here so that a huge or
// binary file in its place cannot stall anybody.
inline constexpr std::size_t kMaxReadBytes = 4096;

// The longest holder name, in characters (Unicode code points).
inline constexpr std::size_t kMaxNameCharacters = 64;

// A save takes milliseconds; these bound only a holder that is stuck (a
// stopped process, an unreachable file server). A save waits long; the game
// start waits briefly and then plays on without showing the record.
inline constexpr std::chrono::milliseconds kSaveLockWait{20000};
inline constexpr std::chrono::milliseconds kReadLockWait{2000};

} // namespace RecordFiles

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

// The results log: one line per finished game in risultati.csv, in the
// record directory, for the teachers. A spreadsheet set up for Italian opens
// it as it is: UTF-8 with a byte order mark, fields separated by ';', a
// header line, lines ending in CR LF. Plain C++ for the keeper, which
// appends the lines.
namespace ResultsLog {

inline constexpr const char* kFile = "risultati.csv";
// Where the log moves, replacing the one before, once it would pass kMaxBytes.
inline constexpr const char* kOlderFile = "risultati.1.csv";
inline constexpr std::size_t kMaxBytes = 4 * 1024 * 1024;

struct Game {
    std::string when;    // local time, ISO 8601 with its offset
    std::string host;    // the machine's name
    std::string account; // the account that played
    std::string name;    // the name typed at the start
    int right = 0;
    int wrong = 0;
    bool record = false; // the game set the machine's record
};

// The first line of a new log, byte order mark included.
inline constexpr const char* kHeader =
    "\xEF\xBB\xBF"
    "data e ora;computer;utente;nome;esatte;sbagliate;totale;record\r\n";

// One line for the game, CR LF included.
std::string line(const Game& game);

// A field as the line holds it: quoted when it holds ';', '"' or a line
// break, or starts with '=', '+', '-' or '@'; a spreadsheet would take the
// latter for a formula, so they also get a leading apostrophe and show as
// text. Control characters, which no field should hold, become '?'.
std::string field(std::string_view text);

// The moment as 2026-12-09T14:30:05+01:00 in the machine's time zone.
std::string localTime(std::time_t moment);

} // namespace ResultsLog

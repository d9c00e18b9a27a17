// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

// The results log: one line per finished game in risultati.csv, in the
// record directory, for the teachers. A spreadsheet opens it as it is, with
// its import dialog's defaults: UTF-8 with a byte order mark, fields
// separated by ';', every text field quoted, a header line, lines ending in
// CR LF. The day and the time of day are columns of their own, which Calc
// and Gnumeric read as a date (and Gnumeric as a time too; Calc reads the
// time as a time when "detect special numbers" is ticked). Plain C++ for the
// keeper, which appends the lines.
namespace ResultsLog {

inline constexpr const char* kFile = "risultati.csv";
// Where the log moves, replacing the one before, once it would pass kMaxBytes.
inline constexpr const char* kOlderFile = "risultati.1.csv";
inline constexpr std::size_t kMaxBytes = 4 * 1024 * 1024;

// What a line may claim, in the machine's record directory, where any
// account may call the keeper by hand. A game lasts fifteen minutes, and
// reading a lit point and typing both its coordinates takes longer than a
// second: no game gives more than 900 answers. One account finishes at most
// one game in that time; ten minutes leaves room for a game on a second
// machine of a shared directory without letting one account fill the log:
// at six lines an hour, 38,000 lines of the whole class stay in each file.
inline constexpr int kMaxAnswers = 900;
inline constexpr std::time_t kMinSecondsBetweenGames = 10 * 60;

struct Game {
    std::string date;    // local day, 2026-12-09
    std::string time;    // local time of day, 14:30:05
    std::string host;    // the machine's name
    std::string account; // the account that played
    std::string name;    // the name typed at the start
    int right = 0;
    int wrong = 0;
    bool record = false; // the game set the machine's record
};

// The first line of a new log, byte order mark included. Left unquoted:
// Gnumeric guesses the separator from it.
inline constexpr const char* kHeader =
    "\xEF\xBB\xBF"
    "data;ora;computer;utente;nome;esatte;sbagliate;totale;record\r\n";

// One line for the game, CR LF included.
std::string line(const Game& game);

// A text field as the line holds it: always quoted, so that no separator a
// spreadsheet may split on (';', ',', a tab) splits it. A text a spreadsheet
// would read as something else gets a leading apostrophe, which makes it
// text in Calc and Gnumeric alike: one whose first character after any
// blanks (Unicode spaces included) starts a formula (=, +, -, @, # or a
// full-width or small look-alike of one), one holding a digit (007, 3/4,
// 1,5 or 10 dic would become a number or a date) and a truth value (TRUE,
// FALSE, VERO, FALSO). Control characters, which no field should hold,
// become '?'.
std::string field(std::string_view text);

// The moment's day and time of day in the machine's time zone, as
// 2026-12-09 and 14:30:05; empty if the moment cannot be converted.
struct LocalMoment {
    std::string date;
    std::string time;
};
LocalMoment localMoment(std::time_t moment);

// The moment of a line this log holds for the account, the last one in
// `log`, if there is one; lines another program wrote are passed over.
std::optional<std::time_t> lastGameOf(std::string_view log, std::string_view account);

} // namespace ResultsLog

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/keeper/ResultsLog.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace ResultsLog {

namespace {

// UTF-8 of the blanks a spreadsheet may skip or trim before a formula.
constexpr std::string_view kBlanks[] = {" ",
                                        "\xC2\xA0",
                                        "\xE1\x9A\x80",
                                        "\xE1\xA0\x8E",
                                        "\xE2\x80\x80",
                                        "\xE2\x80\x81",
                                        "\xE2\x80\x82",
                                        "\xE2\x80\x83",
                                        "\xE2\x80\x84",
                                        "\xE2\x80\x85",
                                        "\xE2\x80\x86",
                                        "\xE2\x80\x87",
                                        "\xE2\x80\x88",
                                        "\xE2\x80\x89",
                                        "\xE2\x80\x8A",
                                        "\xE2\x80\xAF",
                                        "\xE2\x81\x9F",
                                        "\xE3\x80\x80"};

// What may start a formula: = + - @ #, their full-width and small forms
// and the minus sign.
constexpr std::string_view kFormulaStarts[] = {"=",
                                               "+",
                                               "-",
                                               "@",
                                               "#",
                                               "\xEF\xBC\x9D",
                                               "\xEF\xB9\xA6",
                                               "\xEF\xBC\x8B",
                                               "\xEF\xB9\xA2",
                                               "\xEF\xBC\x8D",
                                               "\xEF\xB9\xA3",
                                               "\xEF\xBC\xA0",
                                               "\xEF\xB9\xAB",
                                               "\xEF\xBC\x83",
                                               "\xEF\xB9\x9F",
                                               "\xE2\x88\x92"};

bool startsWithAny(std::string_view text, const auto& prefixes) {
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [text](std::string_view prefix) { return text.starts_with(prefix); });
}

std::string_view skipBlanks(std::string_view text) {
    for (bool skipped = true; skipped;) {
        skipped = false;
        for (const std::string_view blank : kBlanks) {
            if (text.starts_with(blank)) {
                text.remove_prefix(blank.size());
                skipped = true;
            }
        }
    }
    return text;
}

bool holdsDigit(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        // ASCII digits and their full-width forms, U+FF10 to U+FF19.
        if (std::isdigit(static_cast<unsigned char>(text[i])) ||
            (text.substr(i, 2) == "\xEF\xBC" && i + 2 < text.size() &&
             static_cast<unsigned char>(text[i + 2]) >= 0x90 &&
             static_cast<unsigned char>(text[i + 2]) <= 0x99)) {
            return true;
        }
    }
    return false;
}

bool isTruthValue(std::string_view text) {
    text = skipBlanks(text);
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper == "TRUE" || upper == "FALSE" || upper == "VERO" || upper == "FALSO";
}

// The fields of one line as written, quotes and all.
std::vector<std::string_view> rawFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ';' && !quoted) {
            fields.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    fields.push_back(line.substr(start));
    return fields;
}

} // namespace

std::string field(std::string_view text) {
    std::string clean(text);
    std::replace_if(
        clean.begin(), clean.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    const bool asText = startsWithAny(skipBlanks(clean), kFormulaStarts) || holdsDigit(clean) ||
                        isTruthValue(clean);
    std::string quoted = asText ? "\"'" : "\"";
    for (const char c : clean) {
        quoted += c;
        if (c == '"') {
            quoted += '"';
        }
    }
    return quoted + '"';
}

std::string line(const Game& game) {
    const int total = game.right + game.wrong;
    return game.date + ';' + game.time + ';' + field(game.host) + ';' + field(game.account) + ';' +
           field(game.name) + ';' + std::to_string(game.right) + ';' + std::to_string(game.wrong) +
           ';' + std::to_string(total) + ';' + (game.record ? "\"sì\"" : "\"no\"") + "\r\n";
}

LocalMoment localMoment(std::time_t moment) {
    std::tm local{};
    char date[16] = {};
    char time[16] = {};
    if (localtime_r(&moment, &local) == nullptr ||
        std::strftime(date, sizeof date, "%Y-%m-%d", &local) == 0 ||
        std::strftime(time, sizeof time, "%H:%M:%S", &local) == 0) {
        return {};
    }
    return {date, time};
}

std::optional<std::time_t> lastGameOf(std::string_view log, std::string_view account) {
    const std::string wanted = field(account);
    while (!log.empty()) {
        if (log.back() == '\n') {
            log.remove_suffix(1);
        }
        const std::size_t start = log.rfind('\n');
        const std::string_view line = start == std::string_view::npos ? log : log.substr(start + 1);
        log = start == std::string_view::npos ? std::string_view() : log.substr(0, start + 1);
        const std::vector<std::string_view> fields = rawFields(line);
        std::tm when{};
        char end = 0;
        if (fields.size() == 9 && fields[3] == wanted &&
            std::sscanf(std::string(fields[0]).c_str(), "%4d-%2d-%2d%c", &when.tm_year,
                        &when.tm_mon, &when.tm_mday, &end) == 3 &&
            std::sscanf(std::string(fields[1]).c_str(), "%2d:%2d:%2d%c", &when.tm_hour,
                        &when.tm_min, &when.tm_sec, &end) == 3) {
            when.tm_year -= 1900;
            when.tm_mon -= 1;
            when.tm_isdst = -1;
            const std::time_t moment = std::mktime(&when);
            if (moment != std::time_t(-1)) {
                return moment;
            }
        }
    }
    return std::nullopt;
}

} // namespace ResultsLog

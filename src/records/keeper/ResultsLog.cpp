// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/keeper/ResultsLog.h"

#include <algorithm>
#include <cstring>

namespace ResultsLog {

std::string field(std::string_view text) {
    std::string clean(text);
    std::replace_if(
        clean.begin(), clean.end(),
        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }, '?');
    const bool formula = !clean.empty() && std::strchr("=+-@", clean.front()) != nullptr;
    if (!formula && clean.find_first_of(";\"") == std::string::npos) {
        return clean;
    }
    std::string quoted = formula ? "\"'" : "\"";
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
    return field(game.when) + ';' + field(game.host) + ';' + field(game.account) + ';' +
           field(game.name) + ';' + std::to_string(game.right) + ';' + std::to_string(game.wrong) +
           ';' + std::to_string(total) + ';' + (game.record ? "sì" : "no") + "\r\n";
}

std::string localTime(std::time_t moment) {
    std::tm local{};
    char text[40] = {};
    if (localtime_r(&moment, &local) == nullptr ||
        std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local) == 0) {
        return {};
    }
    // +0100 becomes +01:00, as ISO 8601 writes it in full.
    std::string iso(text);
    if (iso.size() >= 5) {
        iso.insert(iso.size() - 2, 1, ':');
    }
    return iso;
}

} // namespace ResultsLog

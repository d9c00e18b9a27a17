// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/keeper/RecordRules.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <locale.h>
#include <string>

namespace RecordRules {

namespace {

// The game runs in the user's locale, where the decimal point may be a
// comma; the number is always read with a point.
locale_t plainLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

// The characters a holder name may not contain.
bool isForbiddenInName(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F)         // C0, DEL and C1 controls
           || c == 0x2028 || c == 0x2029                // line and paragraph separators
           || c == 0x061C || c == 0x200E || c == 0x200F // bidirectional marks
           || (c >= 0x202A && c <= 0x202E)              // embeddings and overrides
           || (c >= 0x2066 && c <= 0x2069)              // isolates
           || c == 0xFEFF                               // byte order mark
           // Invisible format characters: soft hyphen, zero-width spaces and
           // joiners, word joiner and invisible operators, deprecated
           // formatting, Arabic, Syriac and Mongolian format marks,
           // interlinear annotation, tag characters.
           || c == 0x00AD || (c >= 0x0600 && c <= 0x0605) || c == 0x06DD || c == 0x070F ||
           c == 0x0890 || c == 0x0891 || c == 0x08E2 || c == 0x180E || c == 0x034F ||
           (c >= 0x200B && c <= 0x200D) || (c >= 0x2060 && c <= 0x2064) ||
           (c >= 0x206A && c <= 0x206F) || (c >= 0xFFF9 && c <= 0xFFFB) || c == 0x110BD ||
           c == 0x110CD || (c >= 0x13430 && c <= 0x1343F) || (c >= 0x1BCA0 && c <= 0x1BCA3) ||
           (c >= 0x1D173 && c <= 0x1D17A) ||
           (c >= 0xE0000 && c <= 0xE007F)
           // Noncharacters, which no text may carry.
           || (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE;
}

// Characters that show as empty space: a name of these alone shows nothing.
bool isBlank(char32_t c) {
    return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000 || c == 0x115F || c == 0x1160 || c == 0x2800 || c == 0x3164 ||
           c == 0xFFA0;
}

} // namespace

double leadingNumber(std::string_view text) {
    // Blanks, tabs and line feeds never interrupt a number: scanning skips them.
    std::string s;
    std::copy_if(text.begin(), text.end(), std::back_inserter(s),
                 [](char c) { return c != ' ' && c != '\t' && c != '\n'; });
    const auto digitsFrom = [&s](std::size_t i) {
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') {
            ++i;
        }
        return i;
    };
    const auto signFrom = [&s](std::size_t i) {
        return i < s.size() && (s[i] == '+' || s[i] == '-') ? i + 1 : i;
    };
    const std::size_t start = signFrom(0);
    std::size_t end = digitsFrom(start);
    if (end < s.size() && s[end] == '.') {
        end = digitsFrom(end + 1);
    }
    // A sign or a point alone is no number.
    if (end == start || s.compare(start, end - start, ".") == 0) {
        return 0.0;
    }
    // An exponent marker without digits is simply where the number ends.
    if (end < s.size() && std::string_view("eEdD").find(s[end]) != std::string_view::npos) {
        const std::size_t exponent = signFrom(end + 1);
        if (digitsFrom(exponent) > exponent) {
            s[end] = 'e';
            end = digitsFrom(exponent);
        }
    }
    s.resize(end);
    // Well formed by construction, so only the range can fail, and then the
    // conversion already gives zero or an infinity of its sign.
    return strtod_l(s.c_str(), nullptr, plainLocale());
}

std::optional<int> plainScore(std::string_view text) {
    // The counters' own type bounds the range; the text must be exactly the
    // one the game writes, so no plus, no leading zeros and no "-0".
    std::int16_t value = 0;
    if (std::from_chars(text.data(), text.data() + text.size(), value).ec != std::errc() ||
        std::to_string(value) != text) {
        return std::nullopt;
    }
    return value;
}

bool isHolderName(std::string_view utf8) {
    std::size_t characters = 0;
    bool visible = false;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        // The sequence's length from its lead byte; 0 for a byte that cannot lead.
        const std::size_t length = lead < 0x80   ? 1
                                   : lead < 0xC2 ? 0
                                   : lead < 0xE0 ? 2
                                   : lead < 0xF0 ? 3
                                   : lead < 0xF5 ? 4
                                                 : 0;
        if (length == 0 || i + length > utf8.size()) {
            return false;
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past Unicode's end.
        const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
        if (overlong || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF || isForbiddenInName(c)) {
            return false;
        }
        visible = visible || !isBlank(c);
        i += length;
        if (++characters > RecordFiles::kMaxNameCharacters) {
            return false;
        }
    }
    return visible || utf8.empty();
}

} // namespace RecordRules

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/keeper/RecordRules.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace RecordRules {

namespace {

// Walks the text, skipping the characters that never interrupt a number.
class Scanner {
public:
    explicit Scanner(std::string_view text) : text_(text) {}

    char peek() {
        while (pos_ < text_.size() && isSkipped(text_[pos_])) {
            ++pos_;
        }
        return pos_ < text_.size() ? text_[pos_] : '\0';
    }

    void advance() { ++pos_; }

    bool takeDigits(std::string& out) {
        bool any = false;
        for (char c = peek(); c >= '0' && c <= '9'; c = peek()) {
            out += c;
            advance();
            any = true;
        }
        return any;
    }

private:
    static bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The game runs in the user's locale, where the decimal point may be a
// comma; the number is always read with a point.
locale_t plainLocale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    return locale;
}

} // namespace

double leadingNumber(std::string_view text) {
    Scanner scan(text);
    std::string number;

    if (const char sign = scan.peek(); sign == '+' || sign == '-') {
        number += sign;
        scan.advance();
    }
    bool hasMantissa = scan.takeDigits(number);
    if (scan.peek() == '.') {
        scan.advance();
        std::string fraction;
        if (scan.takeDigits(fraction)) {
            number += '.' + fraction;
            hasMantissa = true;
        }
    }
    if (!hasMantissa) {
        return 0.0;
    }

    if (const char e = scan.peek(); e == 'e' || e == 'E' || e == 'd' || e == 'D') {
        scan.advance();
        std::string exponent = "e";
        if (const char sign = scan.peek(); sign == '+' || sign == '-') {
            exponent += sign;
            scan.advance();
        }
        // An exponent marker without digits is simply where the number ends.
        if (scan.takeDigits(exponent)) {
            number += exponent;
        }
    }

    // The text is well formed by construction, so only the range can fail,
    // and then the conversion already gives zero or an infinity of its sign.
    return strtod_l(number.c_str(), nullptr, plainLocale());
}

std::optional<int> plainScore(std::string_view text) {
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (negative) {
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 5 || (digits.front() == '0' && digits.size() > 1) ||
        (negative && digits == "0")) {
        return std::nullopt;
    }
    int value = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    value = negative ? -value : value;
    if (value < RecordFiles::kMinScore || value > RecordFiles::kMaxScore) {
        return std::nullopt;
    }
    return value;
}

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

namespace {

// Characters that show as empty space: a name of these alone shows nothing.
bool isBlank(char32_t c) {
    return c == 0x20 || c == 0xA0 || c == 0x1680 || (c >= 0x2000 && c <= 0x200A) || c == 0x202F ||
           c == 0x205F || c == 0x3000 || c == 0x115F || c == 0x1160 || c == 0x2800 || c == 0x3164 ||
           c == 0xFFA0;
}

} // namespace

bool isHolderName(std::string_view utf8) {
    std::size_t characters = 0;
    bool visible = false;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 0;
        char32_t c = 0;
        if (lead < 0x80) {
            length = 1;
            c = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            c = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            c = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            c = lead & 0x07;
        } else {
            return false;
        }
        if (i + length > utf8.size()) {
            return false;
        }
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

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
    if (value < -32768 || value > 32767) {
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
           || c == 0xFEFF;                              // byte order mark
}

bool isHolderName(std::string_view utf8) {
    std::size_t characters = 0;
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
        i += length;
        if (++characters > kMaxNameCharacters) {
            return false;
        }
    }
    return true;
}

} // namespace RecordRules

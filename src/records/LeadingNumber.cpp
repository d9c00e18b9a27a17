// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "records/LeadingNumber.h"

namespace {

// Walks the text, skipping the characters that never interrupt a number.
class Scanner {
public:
    explicit Scanner(const QString& text) : m_text(text) {}

    QChar peek() {
        while (m_pos < m_text.size() && isSkipped(m_text.at(m_pos))) {
            ++m_pos;
        }
        return m_pos < m_text.size() ? m_text.at(m_pos) : QChar();
    }

    void advance() { ++m_pos; }

    bool takeDigits(QString& out) {
        bool any = false;
        for (QChar c = peek(); c >= u'0' && c <= u'9'; c = peek()) {
            out += c;
            advance();
            any = true;
        }
        return any;
    }

private:
    static bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

    const QString& m_text;
    qsizetype m_pos = 0;
};

} // namespace

double leadingNumber(const QString& text) {
    Scanner scan(text);
    QString number;

    if (const QChar sign = scan.peek(); sign == u'+' || sign == u'-') {
        number += sign;
        scan.advance();
    }
    bool hasMantissa = scan.takeDigits(number);
    if (scan.peek() == u'.') {
        scan.advance();
        QString fraction;
        if (scan.takeDigits(fraction)) {
            number += u'.' + fraction;
            hasMantissa = true;
        }
    }
    if (!hasMantissa) {
        return 0.0;
    }

    if (const QChar e = scan.peek(); e == u'e' || e == u'E' || e == u'd' || e == u'D') {
        scan.advance();
        QString exponent = QStringLiteral("e");
        if (const QChar sign = scan.peek(); sign == u'+' || sign == u'-') {
            exponent += sign;
            scan.advance();
        }
        // An exponent marker without digits is simply where the number ends.
        if (scan.takeDigits(exponent)) {
            number += exponent;
        }
    }

    // The text is well formed by construction, so only the range can fail, and
    // then the conversion already gives zero or an infinity of the right sign.
    return number.toDouble();
}

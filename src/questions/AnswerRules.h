// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>

// The rules of an answer: which keys the two boxes take, how the typed pair
// is judged, and how the score counts.

// Character codes the answer boxes care about.
inline constexpr int kBackspaceKey = 8;
inline constexpr int kEnterKey = 13;
inline constexpr int kMinusKey = 45;
inline constexpr int kCancelledKey = 0;

// What an answer box does with a typed key: the code to let through
// (kCancelledKey swallows it) and whether the answer moves on: from the
// abscissa box the caret goes to the ordinate; from the ordinate box the
// answer is finished (the button is enabled and takes the focus).
struct KeyResult {
    int code;
    bool moveOn;
};

// Backspace, the minus sign and the ten digits.
bool isAllowedAnswerKey(int code);

KeyResult filterAbscissaKey(int code);
KeyResult filterOrdinateKey(int code);

// The outcome of one judgement: whether the answer was right, the expected
// answer it was compared with and the message to show.
struct Verdict {
    bool right;
    QString expectedAnswer;
    QString message;
};

// Compares the typed pair with the target as text, joined abscissa first, so
// "-" and "54" answer (-5, 4) as well as "-5" and "4" do; nothing is parsed.
Verdict judgeAnswer(const QString& typedAbscissa, const QString& typedOrdinate,
                    const QString& targetAbscissa, const QString& targetOrdinate);

// The score counters are 16-bit; they stop at the largest value instead of
// wrapping round to negative.
inline constexpr std::int16_t kMaxCount = 32767;

// Adds one, staying at kMaxCount once reached.
void raiseCount(std::int16_t& counter);

// right + wrong, staying at kMaxCount as well.
std::int16_t totalCount(std::int16_t right, std::int16_t wrong);

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Character codes the answer boxes care about.
inline constexpr int kBackspaceKey = 8;
inline constexpr int kEnterKey = 13;
inline constexpr int kEscapeKey = 27;
inline constexpr int kMinusKey = 45;
inline constexpr int kCancelledKey = 0;

// What the abscissa box does with a typed key: the code to let through
// (kCancelledKey swallows it) and whether the caret moves on to the ordinate.
struct AbscissaKeyResult {
    int code;
    bool moveToOrdinate;
};

// What the ordinate box does with a typed key: the code to let through and
// whether the answer is finished (the button is enabled and takes the focus).
struct OrdinateKeyResult {
    int code;
    bool finishAnswer;
};

// Backspace, the minus sign and the ten digits.
bool isAllowedAnswerKey(int code);

AbscissaKeyResult filterAbscissaKey(int code);
OrdinateKeyResult filterOrdinateKey(int code);

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/AnswerRules.h"

#include <algorithm>

bool isAllowedAnswerKey(int code) {
    return code == kBackspaceKey || code == kMinusKey || (code >= '0' && code <= '9');
}

KeyResult filterAbscissaKey(int code) {
    if (isAllowedAnswerKey(code)) {
        return {code, false};
    }
    // Enter is let through: a single-line box ignores it anyway.
    if (code == kEnterKey) {
        return {code, true};
    }
    return {kCancelledKey, false};
}

KeyResult filterOrdinateKey(int code) {
    return isAllowedAnswerKey(code) ? KeyResult{code, false} : KeyResult{kCancelledKey, true};
}

Verdict judgeAnswer(const QString& typedAbscissa, const QString& typedOrdinate,
                    const QString& targetAbscissa, const QString& targetOrdinate) {
    const QString expected = targetAbscissa + targetOrdinate;
    const bool right = typedAbscissa + typedOrdinate == expected;
    return Verdict{
        right, expected,
        right ? QStringLiteral("Esatto, è incredibile!!!")
              : QStringLiteral("Sbagliato!! ( %1;%2 )").arg(targetAbscissa, targetOrdinate)};
}

void raiseCount(std::int16_t& counter) {
    if (counter < kMaxCount) {
        ++counter;
    }
}

std::int16_t totalCount(std::int16_t right, std::int16_t wrong) {
    return static_cast<std::int16_t>(std::min(int{right} + int{wrong}, int{kMaxCount}));
}

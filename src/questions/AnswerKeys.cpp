// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/AnswerKeys.h"

bool isAllowedAnswerKey(int code) {
    return code == kBackspaceKey || code == kMinusKey || (code >= '0' && code <= '9');
}

AbscissaKeyResult filterAbscissaKey(int code) {
    if (isAllowedAnswerKey(code)) {
        return {code, false};
    }
    // Enter is let through: a single-line box ignores it anyway.
    if (code == kEnterKey) {
        return {code, true};
    }
    return {kCancelledKey, false};
}

OrdinateKeyResult filterOrdinateKey(int code) {
    if (isAllowedAnswerKey(code)) {
        return {code, false};
    }
    return {kCancelledKey, true};
}

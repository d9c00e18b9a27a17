// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/Judgement.h"

Verdict judgeAnswer(const std::string& typedAbscissa, const std::string& typedOrdinate,
                    const std::string& targetAbscissa, const std::string& targetOrdinate) {
    Verdict verdict;
    verdict.expectedAnswer = targetAbscissa + targetOrdinate;
    verdict.right = typedAbscissa + typedOrdinate == verdict.expectedAnswer;
    verdict.message =
        verdict.right ? std::string(kRightAnswerMessage)
                      : kWrongAnswerPrefix + ("( " + targetAbscissa + ";" + targetOrdinate + " )");
    return verdict;
}

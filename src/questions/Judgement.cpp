// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/Judgement.h"

Verdict judgeAnswer(const QString& typedAbscissa, const QString& typedOrdinate,
                    const QString& targetAbscissa, const QString& targetOrdinate) {
    Verdict verdict;
    verdict.expectedAnswer = targetAbscissa + targetOrdinate;
    verdict.right = typedAbscissa + typedOrdinate == verdict.expectedAnswer;
    verdict.message = verdict.right
                          ? kRightAnswerMessage
                          : kWrongAnswerPrefix + QStringLiteral("( ") + targetAbscissa +
                                QStringLiteral(";") + targetOrdinate + QStringLiteral(" )");
    return verdict;
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

inline const QString kRightAnswerMessage = QStringLiteral("Esatto, è incredibile!!!");
inline const QString kWrongAnswerPrefix = QStringLiteral("Sbagliato!! ");

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

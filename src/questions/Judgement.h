// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

inline constexpr char kRightAnswerMessage[] = "Esatto, è incredibile!!!";
inline constexpr char kWrongAnswerPrefix[] = "Sbagliato!! ";

// The outcome of one judgement: whether the answer was right, the expected
// answer it was compared with and the message to show.
struct Verdict {
    bool right;
    std::string expectedAnswer;
    std::string message;
};

// Compares the typed pair with the target as text, joined abscissa first, so
// "-" and "54" answer (-5, 4) as well as "-5" and "4" do; nothing is parsed.
Verdict judgeAnswer(const std::string& typedAbscissa, const std::string& typedOrdinate,
                    const std::string& targetAbscissa, const std::string& targetOrdinate);

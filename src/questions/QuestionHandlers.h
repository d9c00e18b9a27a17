// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class RandomSource;
class Tavola;

// The window's question handlers, in the order a question runs: preparing
// it, the two answer boxes' key filters, and the judgement when the
// ordinate box is left.
class QuestionHandlers {
public:
    QuestionHandlers(Tavola& form, RandomSource& random);

    void cmdNext_Click();
    void Text4_KeyPress(int& KeyAscii);
    void TXTANSWER_KeyPress(int& KeyAscii);
    void TXTANSWER_LostFocus();

private:
    Tavola& form_;
    RandomSource& random_;
};

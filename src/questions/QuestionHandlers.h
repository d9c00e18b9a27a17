// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

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
    // A screen reader speaks a control's description when the focus lands
    // on it, not a label that changes elsewhere: the control taking the
    // focus from the ordinate box ("Nuovo calcolo" after Enter) tells the
    // verdict first, until the next question.
    void tellVerdict(const QString& message);
    void forgetVerdict();

    Tavola& form_;
    RandomSource& random_;
    // Each question is judged once: leaving the ordinate box again changes
    // no count, so no answer can be counted twice.
    bool judged_ = false;
    QPointer<QWidget> verdictTeller_;
};

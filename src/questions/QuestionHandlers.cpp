// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/QuestionHandlers.h"

#include "questions/AnswerRules.h"
#include "questions/TargetDraw.h"
#include "window/AnswerBox.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"
#include "window/Tavola.h"
#include "window/WindowAccessibility.h"

namespace {
// Where the pupil is, not where the point is.
const QString kNewQuestion =
    QStringLiteral("Nuovo punto da trovare: il cursore è nella casella Ascissa.");
} // namespace

QuestionHandlers::QuestionHandlers(Tavola& form, RandomSource& random)
    : form_(form), random_(random) {}

void QuestionHandlers::cmdNext_Click() {
    if (form_.gameEnded) {
        return;
    }
    random_.reseedFromClock();
    // Nothing is judged while the question is being set: the abscissa box
    // takes the focus before the boxes are emptied.
    judged_ = true;
    forgetVerdict();

    form_.TXTANSWER->setText(QString());
    // A screen reader follows the caret silently into a box whose text
    // changes before it gets the focus: the box takes the focus first, so
    // its focus, with the news of the question, is what is spoken.
    WindowAccessibility::tellNewQuestion(form_.Text4, kNewQuestion);
    form_.moveFocusTo(form_.Text4);
    form_.Text4->setText(QString());

    form_.lblMessage[0]->setCaption(QString());
    form_.lblMessage[1]->setCaption(QString());
    form_.Label2->setCaption(QString());

    resetAllMarkers(form_.shapeGroups);

    // A negative zero abscissa below the x axis has no point of its own: the
    // origin stands in for it.
    const LatticePoint target = drawTarget(random_).value_or(LatticePoint{0, 0});
    const MarkerId marker = markerFor(target);
    lightMarker(form_.shapeGroup(marker.group), marker.index);
    form_.Text2 = QString::number(target.x);
    form_.Text1 = QString::number(target.y);

    form_.cmdNext->setEnabled(false);
    judged_ = false;
}

void QuestionHandlers::Text4_KeyPress(int& KeyAscii) {
    const KeyResult result = filterAbscissaKey(KeyAscii);
    KeyAscii = result.code;
    if (result.moveOn) {
        form_.moveFocusTo(form_.TXTANSWER);
    }
}

void QuestionHandlers::TXTANSWER_KeyPress(int& KeyAscii) {
    const KeyResult result = filterOrdinateKey(KeyAscii);
    KeyAscii = result.code;
    if (result.moveOn) {
        form_.cmdNext->setEnabled(true);
        // Moving the focus away from the ordinate box judges the answer.
        form_.moveFocusTo(form_.cmdNext);
    }
}

void QuestionHandlers::TXTANSWER_LostFocus() {
    if (form_.gameEnded || judged_) {
        return;
    }
    judged_ = true;
    const Verdict verdict =
        judgeAnswer(form_.Text4->text(), form_.TXTANSWER->text(), form_.Text2, form_.Text1);
    form_.expectedAnswer = verdict.expectedAnswer;
    if (verdict.right) {
        raiseCount(form_.correctCount);
        form_.lblMessage[1]->setCaption(verdict.message);
    } else {
        raiseCount(form_.wrongCount);
        form_.lblMessage[0]->setCaption(verdict.message);
    }
    tellVerdict(verdict.message);
    form_.lblScore1->setCaption(QString::number(form_.wrongCount));
    form_.lblScore->setCaption(QString::number(form_.correctCount));
    form_.lblScore2->setCaption(QString::number(totalCount(form_.correctCount, form_.wrongCount)));
}

void QuestionHandlers::tellVerdict(const QString& message) {
    // The judgement runs as the ordinate box is left: the window's focus has
    // already moved on, and the control taking it is announced only after.
    QWidget* teller = form_.focusWidget();
    if (teller == nullptr || teller == form_.TXTANSWER) {
        return;
    }
    verdictTeller_ = teller;
    WindowAccessibility::setNotice(teller, message);
}

void QuestionHandlers::forgetVerdict() {
    if (verdictTeller_) {
        WindowAccessibility::setNotice(verdictTeller_, QString());
    }
    verdictTeller_.clear();
}

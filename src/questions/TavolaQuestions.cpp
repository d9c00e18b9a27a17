// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's question handlers: preparing a question, the two answer
// boxes' key filters and the judgement when the ordinate box is left.

#include "window/Tavola.h"

#include "game/GameServices.h"
#include "questions/AnswerKeys.h"
#include "questions/Judgement.h"
#include "questions/RandomSource.h"
#include "questions/ScoreCount.h"
#include "questions/TargetDraw.h"
#include "window/AnswerBox.h"
#include "window/CaptionLabel.h"
#include "window/MarkerGroups.h"
#include "window/PictureButton.h"

namespace {
QString fromStd(const std::string& text) {
    return QString::fromStdString(text);
}
} // namespace

void Tavola::cmdNext_Click() {
    if (gameEnded_) {
        return;
    }
    services_.random.reseedFromClock();

    Text1->setText(QString());
    Text2->setText(QString());
    TXTANSWER->setText(QString());
    Text4->setText(QString());

    lblMessage[0]->setCaption(QString());
    lblMessage[1]->setCaption(QString());
    Label2->setCaption(QString());

    resetAllMarkers();

    const TargetDraw target = drawTarget(services_.random);
    if (target.point) {
        const MarkerId marker = markerFor(*target.point);
        lightMarker(shapeGroup(marker.group), marker.index);
        Text1->setText(fromStd(target.ordinateText));
        Text2->setText(fromStd(target.abscissaText));
    }

    moveFocusTo(Text4);
    cmdNext->setEnabled(false);

    // A negative zero abscissa below the x axis stores nothing: the origin
    // stands in for it.
    if (Text2->text().isEmpty() && Text1->text().isEmpty()) {
        lightMarker(Shape6, 0);
        Text2->setText(QStringLiteral("0"));
        Text1->setText(QStringLiteral("0"));
    }
}

void Tavola::Text4_KeyPress(int& KeyAscii) {
    const AbscissaKeyResult result = filterAbscissaKey(KeyAscii);
    KeyAscii = result.code;
    if (result.moveToOrdinate) {
        moveFocusTo(TXTANSWER);
    }
}

void Tavola::TXTANSWER_KeyPress(int& KeyAscii) {
    const OrdinateKeyResult result = filterOrdinateKey(KeyAscii);
    KeyAscii = result.code;
    if (result.finishAnswer) {
        cmdNext->setEnabled(true);
        // Moving the focus away from the ordinate box judges the answer.
        moveFocusTo(cmdNext);
    }
}

void Tavola::TXTANSWER_LostFocus() {
    if (gameEnded_) {
        return;
    }
    const Verdict verdict =
        judgeAnswer(Text4->text().toStdString(), TXTANSWER->text().toStdString(),
                    Text2->text().toStdString(), Text1->text().toStdString());
    expectedAnswer = fromStd(verdict.expectedAnswer);
    if (verdict.right) {
        raiseCount(correctCount);
        lblMessage[1]->setCaption(fromStd(verdict.message));
    } else {
        raiseCount(wrongCount);
        lblMessage[0]->setCaption(fromStd(verdict.message));
    }
    lblScore1->setCaption(fromStd(formatCount(wrongCount)));
    lblScore->setCaption(fromStd(formatCount(correctCount)));
    lblScore2->setCaption(fromStd(formatCount(totalCount(correctCount, wrongCount))));
}

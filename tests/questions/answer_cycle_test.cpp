// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The question cycle on the real window, driven by keys and clicks.

#include "support/GameFixture.h"
#include "window/AnswerBox.h"
#include "window/BoardGeometry.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QMenuBar>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

int litMarkers(Tavola& tavola) {
    int lit = 0;
    for (const MarkerGroup* group : tavola.shapeGroups) {
        for (const Marker& marker : group->markers()) {
            lit += marker.backStyle() == Marker::kOpaque ? 1 : 0;
        }
    }
    return lit;
}

class AnswerCycle : public ::testing::Test {
protected:
    void start(std::initializer_list<std::pair<int, int>> points) {
        start(drawsForQuestions(points));
    }
    void start(std::vector<double> draws) {
        game = std::make_unique<GameFixture>(std::move(draws));
        ASSERT_TRUE(game->showActive());
        tavola = game->tavola;
    }

    void type(AnswerBox* box, const char* keys) {
        QTest::keyClicks(box, QString::fromLatin1(keys));
    }
    void enter(QWidget* widget) { QTest::keyClick(widget, Qt::Key_Return); }
    void answer(const char* abscissa, const char* ordinate) {
        game->answer(QString::fromLatin1(abscissa), QString::fromLatin1(ordinate));
    }

    QString counts() const {
        return tavola->lblScore->caption() + "/" + tavola->lblScore1->caption() + "/" +
               tavola->lblScore2->caption();
    }

    std::unique_ptr<GameFixture> game;
    Tavola* tavola = nullptr;
};

TEST_F(AnswerCycle, FirstQuestionIsReadyWhenTheWindowAppears) {
    start({{-3, 4}});
    EXPECT_EQ(tavola->Text2, QStringLiteral("-3"));
    EXPECT_EQ(tavola->Text1, QStringLiteral("4"));
    EXPECT_EQ(tavola->Shape15[3].backStyle(), 1);
    EXPECT_EQ(litMarkers(*tavola), 1);
    EXPECT_EQ(QApplication::focusWidget(), tavola->Text4);
    EXPECT_TRUE(tavola->Text4->text().isEmpty());
    EXPECT_TRUE(tavola->TXTANSWER->text().isEmpty());
    EXPECT_FALSE(tavola->cmdNext->isEnabled());
    EXPECT_EQ(game->platform.reseedCount(), 1);
}

TEST_F(AnswerCycle, KeyboardAloneAnswersRightThenMovesOn) {
    start({{-3, 4}, {2, -4}});
    type(tavola->Text4, "-3");
    enter(tavola->Text4);
    EXPECT_EQ(QApplication::focusWidget(), tavola->TXTANSWER);
    EXPECT_EQ(counts(), QStringLiteral("0/0/0")) << "Enter in the abscissa box judges nothing";
    type(tavola->TXTANSWER, "4");
    enter(tavola->TXTANSWER);

    EXPECT_EQ(tavola->lblMessage[1]->caption(), QStringLiteral("Esatto, è incredibile!!!"));
    EXPECT_TRUE(tavola->lblMessage[0]->caption().isEmpty());
    EXPECT_EQ(counts(), QStringLiteral("1/0/1"));
    EXPECT_EQ(tavola->TXTANSWER->text(), QStringLiteral("4")) << "Enter is swallowed";
    EXPECT_TRUE(tavola->cmdNext->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), tavola->cmdNext);

    // Enter on the focused button brings the next question.
    enter(tavola->cmdNext);
    EXPECT_EQ(tavola->Text2, QStringLiteral("2"));
    EXPECT_EQ(tavola->Text1, QStringLiteral("-4"));
    EXPECT_TRUE(tavola->Text4->text().isEmpty());
    EXPECT_TRUE(tavola->TXTANSWER->text().isEmpty());
    EXPECT_TRUE(tavola->lblMessage[0]->caption().isEmpty());
    EXPECT_TRUE(tavola->lblMessage[1]->caption().isEmpty());
    EXPECT_EQ(tavola->Shape10[2].backStyle(), 1);
    EXPECT_EQ(tavola->Shape15[3].backStyle(), 0);
    EXPECT_EQ(litMarkers(*tavola), 1);
    EXPECT_EQ(QApplication::focusWidget(), tavola->Text4);
    EXPECT_FALSE(tavola->cmdNext->isEnabled());
    EXPECT_EQ(counts(), QStringLiteral("1/0/1")) << "a new question judges nothing";
}

TEST_F(AnswerCycle, WrongAnswerShowsTheTarget) {
    start({{2, -4}});
    answer("2", "4");
    EXPECT_EQ(tavola->lblMessage[0]->caption(), QStringLiteral("Sbagliato!! ( 2;-4 )"));
    EXPECT_TRUE(tavola->lblMessage[1]->caption().isEmpty());
    EXPECT_EQ(counts(), QStringLiteral("0/1/1"));
    EXPECT_EQ(tavola->expectedAnswer, QStringLiteral("2-4"));
}

TEST_F(AnswerCycle, FiltersKeepTheBoxesToDigitsAndMinus) {
    start({{1, 4}});
    type(tavola->Text4, "a+ 1");
    EXPECT_EQ(tavola->Text4->text(), QStringLiteral("1"));
    QTest::keyClick(tavola->Text4, Qt::Key_Escape);
    QTest::keyClick(tavola->Text4, Qt::Key_Backspace);
    EXPECT_TRUE(tavola->Text4->text().isEmpty());
    type(tavola->Text4, "4-7");
    EXPECT_EQ(tavola->Text4->text(), QStringLiteral("4-")) << "at most two characters";
    // Arrows and Home keep their editing role.
    QTest::keyClick(tavola->Text4, Qt::Key_Home);
    EXPECT_EQ(tavola->Text4->cursorPosition(), 0);
    QTest::keyClick(tavola->Text4, Qt::Key_Delete);
    EXPECT_EQ(tavola->Text4->text(), QStringLiteral("-"));
    EXPECT_EQ(counts(), QStringLiteral("0/0/0"));
    EXPECT_EQ(QApplication::focusWidget(), tavola->Text4);
}

TEST_F(AnswerCycle, AnyOtherKeyInTheOrdinateBoxJudgesAtOnce) {
    for (const auto& [key, modifiers] :
         std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>>{{Qt::Key_A, Qt::NoModifier},
                                                                {Qt::Key_Escape, Qt::NoModifier},
                                                                {Qt::Key_Space, Qt::NoModifier},
                                                                {Qt::Key_V, Qt::ControlModifier}}) {
        SCOPED_TRACE(key);
        start({{1, 4}});
        tavola->TXTANSWER->setFocus();
        type(tavola->TXTANSWER, "4");
        QTest::keyClick(tavola->TXTANSWER, key, modifiers);
        EXPECT_EQ(tavola->TXTANSWER->text(), QStringLiteral("4"));
        EXPECT_TRUE(tavola->cmdNext->isEnabled());
        EXPECT_EQ(QApplication::focusWidget(), tavola->cmdNext);
        EXPECT_EQ(counts(), QStringLiteral("0/1/1"));
    }
}

TEST_F(AnswerCycle, TabOrClickJudgesWithoutEnablingTheButton) {
    start({{1, 4}});
    tavola->TXTANSWER->setFocus();
    QTest::keyClick(tavola->TXTANSWER, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), tavola->Text4);
    EXPECT_EQ(counts(), QStringLiteral("0/1/1")) << "an empty answer is wrong";
    EXPECT_EQ(tavola->lblMessage[0]->caption(), QStringLiteral("Sbagliato!! ( 1;4 )"));
    EXPECT_FALSE(tavola->cmdNext->isEnabled());
}

TEST_F(AnswerCycle, EachQuestionIsJudgedOnce) {
    start({{1, 4}, {2, 4}});
    type(tavola->Text4, "1");
    enter(tavola->Text4);
    type(tavola->TXTANSWER, "4");
    QTest::mouseClick(tavola->Text4, Qt::LeftButton);
    ASSERT_EQ(counts(), QStringLiteral("1/0/1"));

    // Back into the ordinate box and out again, by mouse and by keyboard.
    for (int round = 0; round < 3; ++round) {
        QTest::mouseClick(tavola->TXTANSWER, Qt::LeftButton);
        ASSERT_EQ(QApplication::focusWidget(), tavola->TXTANSWER);
        QTest::mouseClick(tavola->Text4, Qt::LeftButton);
        QTest::keyClick(tavola->Text4, Qt::Key_Tab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), tavola->Text4);
        tavola->TXTANSWER->setFocus();
        QTest::keyClick(tavola->TXTANSWER, Qt::Key_Tab);
    }
    EXPECT_EQ(counts(), QStringLiteral("1/0/1"));
    EXPECT_TRUE(tavola->lblMessage[0]->caption().isEmpty()) << "no wrong message beside the right";
    EXPECT_FALSE(tavola->cmdNext->isEnabled());

    // Enter still finishes the answer, without judging it again.
    tavola->TXTANSWER->setFocus();
    enter(tavola->TXTANSWER);
    EXPECT_TRUE(tavola->cmdNext->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), tavola->cmdNext);
    EXPECT_EQ(counts(), QStringLiteral("1/0/1"));

    // The next question is judged afresh.
    enter(tavola->cmdNext);
    tavola->TXTANSWER->setFocus();
    QTest::keyClick(tavola->TXTANSWER, Qt::Key_Tab);
    EXPECT_EQ(counts(), QStringLiteral("1/1/2"));
}

TEST_F(AnswerCycle, LeavingTheWindowJudgesNothing) {
    start({{1, 4}});
    tavola->TXTANSWER->setFocus();
    type(tavola->TXTANSWER, "4");

    QWidget other;
    other.setGeometry(50, 50, 100, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    tavola->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(tavola));

    EXPECT_EQ(counts(), QStringLiteral("0/0/0"));
    EXPECT_EQ(QApplication::focusWidget(), tavola->TXTANSWER);
    EXPECT_TRUE(tavola->Text2 == QStringLiteral("1")) << "no new question either";
}

TEST_F(AnswerCycle, KeysReachingAnInactiveWindowStillJudge) {
    // Without a window manager the window gets keys without being active;
    // Qt then sends no focus events, yet the answer must be judged.
    start({{1, 4}});
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ASSERT_FALSE(tavola->isActiveWindow());
    answer("1", "4");
    EXPECT_EQ(counts(), QStringLiteral("1/0/1"));
    EXPECT_TRUE(tavola->cmdNext->isEnabled());
}

TEST_F(AnswerCycle, EnterOnTheExitButtonDoesNotAskANewQuestion) {
    start({{1, 4}, {2, 4}});
    tavola->TXTANSWER->setFocus();
    enter(tavola->TXTANSWER);
    ASSERT_TRUE(tavola->cmdNext->isEnabled());
    tavola->cmdExit->setFocus();
    enter(tavola->cmdExit);
    EXPECT_EQ(tavola->Text2, QStringLiteral("1"));
}

TEST_F(AnswerCycle, CompareTheTypedTextOnly) {
    // -5 and 4 typed as "-" and "54" is the same text.
    start(std::vector<double>{0.7, 0.75, 0.1, 0.25});
    ASSERT_EQ(tavola->Text2, QStringLiteral("-5"));
    ASSERT_EQ(tavola->Shape15[5].backStyle(), 1);
    answer("-", "54");
    EXPECT_EQ(counts(), QStringLiteral("1/0/1"));
}

TEST_F(AnswerCycle, NegativeZeroBelowTheAxisFallsBackToTheOrigin) {
    start(std::vector<double>{0.7, 0.25, 0.1, 0.25});
    EXPECT_EQ(tavola->Text2, QStringLiteral("0"));
    EXPECT_EQ(tavola->Text1, QStringLiteral("0"));
    EXPECT_EQ(tavola->Shape6[0].backStyle(), 1);
    EXPECT_EQ(tavola->Shape6[0].backColor(), 255u);
    EXPECT_EQ(litMarkers(*tavola), 1);
}

TEST_F(AnswerCycle, AltNPressesTheButtonOnlyWhileEnabled) {
    start({{1, 4}, {-2, -4}});
    QTest::keyClick(tavola->windowHandle(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(tavola->Text2, QStringLiteral("1")) << "disabled: no new question";
    tavola->TXTANSWER->setFocus();
    enter(tavola->TXTANSWER);
    ASSERT_TRUE(tavola->cmdNext->isEnabled());
    QTest::keyClick(tavola->windowHandle(), Qt::Key_N, Qt::AltModifier);
    // An access key animates the press before clicking.
    EXPECT_TRUE(QTest::qWaitFor([&] { return tavola->Text2 == QStringLiteral("-2"); }));
}

TEST_F(AnswerCycle, KeyboardAccessToTheMenuJudgesNothing) {
    start({{1, 4}});
    tavola->TXTANSWER->setFocus();
    type(tavola->TXTANSWER, "4");
    QWindow* window = tavola->windowHandle();

    // Alt alone gives the menu bar the keyboard; Esc gives it back.
    QTest::keyClick(window, Qt::Key_Alt, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), tavola->menuBar());
    QTest::keyClick(tavola->menuBar(), Qt::Key_Escape);
    ASSERT_EQ(QApplication::focusWidget(), tavola->TXTANSWER);
    // Alt+I opens the menu; Esc closes it, Esc again leaves the menu bar.
    QTest::keyClick(window, Qt::Key_I, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }));
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    QTest::keyClick(tavola->menuBar(), Qt::Key_Escape);

    EXPECT_EQ(counts(), QStringLiteral("0/0/0"));
    EXPECT_TRUE(tavola->lblMessage[0]->caption().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), tavola->TXTANSWER);
}

TEST_F(AnswerCycle, AltNFromTheOrdinateBoxJudgesTheAnswerStandingThere) {
    start({{1, 4}, {-2, -4}});
    type(tavola->Text4, "1");
    enter(tavola->Text4);
    type(tavola->TXTANSWER, "4");
    tavola->cmdNext->setEnabled(true);
    ASSERT_EQ(QApplication::focusWidget(), tavola->TXTANSWER);

    QTest::keyClick(tavola->windowHandle(), Qt::Key_N, Qt::AltModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return tavola->Text2 == QStringLiteral("-2"); }));
    EXPECT_EQ(counts(), QStringLiteral("1/0/1")) << "the answer given, for its own question";
    EXPECT_TRUE(tavola->lblMessage[0]->caption().isEmpty());
    EXPECT_TRUE(tavola->lblMessage[1]->caption().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), tavola->Text4);
}

TEST_F(AnswerCycle, PasteHoldsToWhatTypingCouldPutThere) {
    start({{1, 4}});
    QGuiApplication::clipboard()->setText(QStringLiteral("ab"));
    tavola->Text4->paste();
    EXPECT_TRUE(tavola->Text4->text().isEmpty());
    QGuiApplication::clipboard()->setText(QStringLiteral("-12"));
    tavola->Text4->paste();
    EXPECT_EQ(tavola->Text4->text(), QStringLiteral("-1"));
    // Ctrl+V is a control character to the abscissa box: cancelled.
    tavola->Text4->clear();
    QTest::keyClick(tavola->Text4, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(tavola->Text4->text().isEmpty());
    EXPECT_EQ(tavola->Text4->contextMenuPolicy(), Qt::NoContextMenu);
    EXPECT_FALSE(tavola->Text4->acceptDrops());

    // An input method's commit is held to the same characters.
    QInputMethodEvent letters(QString(), {});
    letters.setCommitString(QStringLiteral("a7"));
    QApplication::sendEvent(tavola->TXTANSWER, &letters);
    EXPECT_TRUE(tavola->TXTANSWER->text().isEmpty());
    QInputMethodEvent digits(QString(), {});
    digits.setCommitString(QStringLiteral("-7"));
    QApplication::sendEvent(tavola->TXTANSWER, &digits);
    EXPECT_EQ(tavola->TXTANSWER->text(), QStringLiteral("-7"));
}

TEST_F(AnswerCycle, CountersStopAtTheirLimit) {
    start({{1, 4}, {1, 4}, {1, 4}});
    tavola->correctCount = 32766;
    tavola->wrongCount = 32767;
    tavola->TXTANSWER->setFocus();
    type(tavola->TXTANSWER, "4");
    enter(tavola->TXTANSWER); // wrong: no abscissa
    EXPECT_EQ(tavola->wrongCount, 32767);
    EXPECT_EQ(tavola->lblScore1->caption(), QStringLiteral("32767"));
    EXPECT_EQ(tavola->lblScore2->caption(), QStringLiteral("32767"));
    for (int question = 0; question < 2; ++question) {
        enter(tavola->cmdNext);
        answer("1", "4");
        EXPECT_EQ(tavola->correctCount, 32767);
        EXPECT_EQ(tavola->lblScore->caption(), QStringLiteral("32767"));
    }
}

} // namespace

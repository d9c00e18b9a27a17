// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The window as assistive technology reads it, through Qt's own accessible
// interfaces: the names a pupil hears, the notices sent when the judgement
// and the counts change, and no trace of the target anywhere.

#include "support/GameFixture.h"
#include "window/AnswerBox.h"
#include "window/Board.h"
#include "window/CaptionLabel.h"
#include "window/PictureButton.h"
#include "window/WindowAccessibility.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QSet>
#include <QTest>
#include <QtGui/private/qguiapplication_p.h>
#include <algorithm>
#include <gtest/gtest.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace {

// Every accessibility notice sent while it lives, as a bridge would see it.
// Qt sends notices only while a client listens; the offscreen platform has
// none, so the notices are switched on as a desktop bridge would.
class Notices {
public:
    struct Notice {
        QAccessible::Event type;
        QObject* object;
        QString name;
        QString description;
        QString textChange; // inserted and removed text of a text notice
        bool readable;      // the object offers the text interface a bridge needs
    };

    Notices() {
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        current_ = this;
        previous_ = QAccessible::installUpdateHandler(&Notices::record);
    }
    ~Notices() {
        QAccessible::installUpdateHandler(previous_);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
        current_ = nullptr;
    }

    std::vector<Notice> of(QObject* object, QAccessible::Event type) const {
        std::vector<Notice> found;
        for (const Notice& notice : all) {
            if (notice.object == object && notice.type == type) {
                found.push_back(notice);
            }
        }
        return found;
    }

    std::vector<Notice> all;

private:
    static void record(QAccessibleEvent* event) {
        QAccessibleInterface* iface = event->accessibleInterface();
        Notice notice{event->type(),
                      event->object(),
                      iface ? iface->text(QAccessible::Name) : "",
                      iface ? iface->text(QAccessible::Description) : "",
                      QString(),
                      iface != nullptr && iface->textInterface() != nullptr};
        if (event->type() == QAccessible::TextUpdated) {
            auto* update = static_cast<QAccessibleTextUpdateEvent*>(event);
            notice.textChange = update->textInserted() + "|" + update->textRemoved();
        } else if (event->type() == QAccessible::TextInserted) {
            notice.textChange = static_cast<QAccessibleTextInsertEvent*>(event)->textInserted();
        } else if (event->type() == QAccessible::TextRemoved) {
            notice.textChange = static_cast<QAccessibleTextRemoveEvent*>(event)->textRemoved();
        }
        current_->all.push_back(notice);
    }

    static inline Notices* current_ = nullptr;
    QAccessible::UpdateHandler previous_ = nullptr;
};

QAccessibleInterface* accessible(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object) {
    return accessible(object)->text(QAccessible::Name);
}

// Every text an accessibility client can read from the object.
QStringList readableTexts(QAccessibleInterface* iface) {
    QStringList texts;
    for (QAccessible::Text kind : {QAccessible::Name, QAccessible::Description, QAccessible::Value,
                                   QAccessible::Help, QAccessible::Accelerator}) {
        texts << iface->text(kind);
    }
    if (QAccessibleTextInterface* text = iface->textInterface()) {
        texts << text->text(0, text->characterCount());
    }
    return texts;
}

// The accessible tree below the window, as a client walks it child by child.
std::vector<QAccessibleInterface*> walk(QAccessibleInterface* root) {
    std::vector<QAccessibleInterface*> found;
    std::vector<QAccessibleInterface*> pending{root};
    QSet<QAccessibleInterface*> seen;
    while (!pending.empty()) {
        QAccessibleInterface* iface = pending.back();
        pending.pop_back();
        if (iface == nullptr || seen.contains(iface)) {
            continue;
        }
        seen.insert(iface);
        found.push_back(iface);
        for (int i = 0; i < iface->childCount(); ++i) {
            pending.push_back(iface->child(i));
        }
    }
    return found;
}

class TavolaAccessibility : public ::testing::Test {
protected:
    void start(std::vector<double> draws) {
        game = std::make_unique<GameFixture>(std::move(draws));
        tavola = game->tavola;
        game->platform.names = {QStringLiteral("Anna")};
        game->lifecycle().Form_Load();
        ASSERT_TRUE(game->showActive());
    }

    void answer(const char* abscissa, const char* ordinate) {
        game->answer(QString::fromLatin1(abscissa), QString::fromLatin1(ordinate));
    }

    std::unique_ptr<GameFixture> game;
    Tavola* tavola = nullptr;
};

TEST_F(TavolaAccessibility, WhatAPupilWorksWithHasAnItalianNameAndRole) {
    start(drawsFor(-3, 4));

    EXPECT_EQ(accessible(tavola->Text4)->role(), QAccessible::EditableText);
    EXPECT_EQ(nameOf(tavola->Text4), QStringLiteral("Ascissa"));
    EXPECT_TRUE(accessible(tavola->Text4)
                    ->text(QAccessible::Description)
                    .contains(QStringLiteral("premi Invio per passare all'ordinata")));
    EXPECT_EQ(accessible(tavola->TXTANSWER)->role(), QAccessible::EditableText);
    EXPECT_EQ(nameOf(tavola->TXTANSWER), QStringLiteral("Ordinata"));
    EXPECT_TRUE(accessible(tavola->TXTANSWER)
                    ->text(QAccessible::Description)
                    .contains(QStringLiteral("premi Invio per controllare la risposta")));
    EXPECT_EQ(accessible(tavola->cmdNext)->role(), QAccessible::Button);
    EXPECT_EQ(nameOf(tavola->cmdNext), QStringLiteral("Nuovo calcolo"));

    EXPECT_EQ(nameOf(tavola->lblScore), QStringLiteral("Risposte esatte: 0"));
    EXPECT_EQ(nameOf(tavola->lblScore1), QStringLiteral("Risposte errate: 0"));
    EXPECT_EQ(nameOf(tavola->lblScore2), QStringLiteral("Risposte totali: 0"));
    EXPECT_EQ(nameOf(tavola->lblconto), QStringLiteral("Tempo restante: 15 minuti"));
    EXPECT_EQ(nameOf(tavola->lblnome1), QStringLiteral("Sfidante: Anna"));

    // The record line reads as one sentence, whichever of its labels changes.
    tavola->lblnome->setCaption(QStringLiteral("Bea\r\n"));
    tavola->lblpunti->setCaption(QStringLiteral("12\r\n"));
    EXPECT_EQ(nameOf(tavola->lblnome), QStringLiteral("Il record è di Bea con punti 12"));

    // The board names the grid; of its controls a client reads only those
    // that say something of their own.
    QAccessibleInterface* board = accessible(tavola->board);
    EXPECT_EQ(board->text(QAccessible::Name), QStringLiteral("piano cartesiano"));
    EXPECT_TRUE(board->text(QAccessible::Description).contains(QStringLiteral("da -5 a 5")));
    QStringList readable;
    for (int i = 0; i < board->childCount(); ++i) {
        QAccessibleInterface* control = board->child(i);
        if (!control->state().invisible) {
            readable << control->object()->objectName();
        } else {
            EXPECT_TRUE(readableTexts(control).join("").isEmpty())
                << control->object()->objectName().toStdString();
            EXPECT_EQ(control->textInterface(), nullptr);
        }
    }
    readable.sort();
    EXPECT_EQ(readable, (QStringList{"TXTANSWER", "Text4", "cmdExit", "cmdNext", "lblMessage(0)",
                                     "lblMessage(1)", "lblScore", "lblScore1", "lblScore2",
                                     "lblconto", "lblnome", "lblnome1"}));

    // The countdown speaks whole minutes only.
    using WindowAccessibility::spokenCountdown;
    EXPECT_EQ(spokenCountdown("00:14:59"), QStringLiteral("Tempo restante: 14 minuti"));
    EXPECT_EQ(spokenCountdown("01:01:00"), QStringLiteral("Tempo restante: 61 minuti"));
    EXPECT_EQ(spokenCountdown("00:01:59"), QStringLiteral("Tempo restante: 1 minuto"));
    EXPECT_EQ(spokenCountdown("00:00:01"), QStringLiteral("Tempo restante: meno di un minuto"));
    EXPECT_EQ(spokenCountdown("00:00:00"), QStringLiteral("Tempo scaduto"));
    EXPECT_EQ(spokenCountdown("00.00.00"), QStringLiteral("Tempo restante: 00.00.00"));
}

TEST_F(TavolaAccessibility, JudgementAndChangedCountsAreAnnounced) {
    start(drawsForQuestions({{2, -4}, {-3, 4}, {1, 1}}));
    Notices notices;

    answer("2", "4");
    const auto wrong = notices.of(tavola->lblMessage[0], QAccessible::NameChanged);
    ASSERT_EQ(wrong.size(), 1u);
    EXPECT_EQ(wrong[0].name, QStringLiteral("Sbagliato!! ( 2;-4 )"));
    const auto wrongCount = notices.of(tavola->lblScore1, QAccessible::NameChanged);
    ASSERT_EQ(wrongCount.size(), 1u);
    EXPECT_EQ(wrongCount[0].name, QStringLiteral("Risposte errate: 1"));
    ASSERT_EQ(notices.of(tavola->lblScore2, QAccessible::NameChanged).size(), 1u);
    EXPECT_TRUE(notices.of(tavola->lblScore, QAccessible::NameChanged).empty())
        << "an unchanged count is not announced";

    // What a screen reader speaks: the focus landing on the button, which
    // tells the verdict before its own description, until the next question.
    const QString ownDescription = QStringLiteral("Accende un nuovo punto rosso da trovare.");
    const auto landed = notices.of(tavola->cmdNext, QAccessible::Focus);
    ASSERT_EQ(landed.size(), 1u);
    EXPECT_EQ(landed[0].name, QStringLiteral("Nuovo calcolo"));
    EXPECT_EQ(landed[0].description, QStringLiteral("Sbagliato!! ( 2;-4 ) ") + ownDescription);

    // Emptying the message tells of its new name once.
    tavola->cmdNext->click();
    EXPECT_EQ(accessible(tavola->cmdNext)->text(QAccessible::Description), ownDescription);
    EXPECT_EQ(notices.of(tavola->lblMessage[0], QAccessible::NameChanged).size(), 2u);
    // Left by Tab, the ordinate box hands the verdict to the abscissa box,
    // which takes the focus.
    QTest::keyClicks(tavola->Text4, QStringLiteral("-3"));
    QTest::keyClick(tavola->Text4, Qt::Key_Return);
    QTest::keyClicks(tavola->TXTANSWER, QStringLiteral("4"));
    QTest::keyClick(tavola->TXTANSWER, Qt::Key_Tab);
    ASSERT_FALSE(notices.of(tavola->Text4, QAccessible::Focus).empty());
    EXPECT_TRUE(notices.of(tavola->Text4, QAccessible::Focus)
                    .back()
                    .description.startsWith(QStringLiteral("Esatto, è incredibile!!! Scrivi")));
    tavola->cmdNext->setEnabled(true);
    tavola->cmdNext->click();
    EXPECT_FALSE(accessible(tavola->Text4)->text(QAccessible::Description).contains("Esatto"));
    // The same message in the next question is announced again.
    answer("1", "1");
    const auto right = notices.of(tavola->lblMessage[1], QAccessible::NameChanged);
    ASSERT_EQ(right.size(), 3u);
    EXPECT_EQ(right[2].name, QStringLiteral("Esatto, è incredibile!!!"));
    EXPECT_EQ(notices.of(tavola->cmdNext, QAccessible::Focus).back().description,
              QStringLiteral("Esatto, è incredibile!!! ") + ownDescription);
    EXPECT_EQ(notices.of(tavola->lblScore, QAccessible::NameChanged).back().name,
              QStringLiteral("Risposte esatte: 2"));

    // The countdown tells of a new minute only: 61 ticks from 00:15:00.
    notices.all.clear();
    for (int tick = 0; tick < 61; ++tick) {
        game->clock().Timer1_Timer();
    }
    const auto clock = notices.of(tavola->lblconto, QAccessible::NameChanged);
    ASSERT_EQ(clock.size(), 2u);
    EXPECT_EQ(clock[0].name, QStringLiteral("Tempo restante: 14 minuti"));
    EXPECT_EQ(clock[1].name, QStringLiteral("Tempo restante: 13 minuti"));
}

// A screen reader that sees the caret move in a box before the box is
// focused follows it there silently: the abscissa box takes the focus before
// it is emptied, and tells of the new question once, with the counts and the
// time left after its own description.
TEST_F(TavolaAccessibility, ANewQuestionIsToldOnceAsTheAbscissaBoxTakesTheFocus) {
    start(drawsForQuestions({{2, -4}, {-3, 4}}));
    answer("2", "-4");
    Notices notices;
    tavola->cmdNext->click();

    const auto firstOf = [&notices](QObject* object,
                                    std::initializer_list<QAccessible::Event> types,
                                    std::size_t from = 0) {
        for (std::size_t i = from; i < notices.all.size(); ++i) {
            const Notices::Notice& notice = notices.all[i];
            if (notice.object == object &&
                std::find(types.begin(), types.end(), notice.type) != types.end()) {
                return i;
            }
        }
        return notices.all.size();
    };
    const std::size_t focused = firstOf(tavola->Text4, {QAccessible::Focus});
    ASSERT_LT(focused, notices.all.size());
    EXPECT_LT(focused, firstOf(tavola->Text4, {QAccessible::TextRemoved, QAccessible::TextUpdated,
                                               QAccessible::TextCaretMoved}))
        << "the box is focused before its text changes";
    const QString status = QStringLiteral(
        "Risposte esatte: 1. Risposte errate: 0. Risposte totali: 1. Tempo restante: 15 minuti.");
    const QString landed = notices.all[focused].description;
    EXPECT_TRUE(landed.endsWith(status)) << landed.toStdString();
    QCoreApplication::processEvents();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    EXPECT_TRUE(landed.startsWith(QStringLiteral("Scrivi l'ascissa"))) << landed.toStdString();
    EXPECT_LT(firstOf(tavola->Text4, {QAccessible::Announcement}, focused), notices.all.size());
#else
    EXPECT_TRUE(landed.startsWith(QStringLiteral(
        "Nuovo punto da trovare: il cursore è nella casella Ascissa. Scrivi l'ascissa")))
        << landed.toStdString();
#endif

    // Left, the box drops the news only once the focus has landed on the
    // ordinate box, which tells the counts too.
    QTest::keyClicks(tavola->Text4, QStringLiteral("-3"));
    QTest::keyClick(tavola->Text4, Qt::Key_Return);
    QCoreApplication::processEvents();
    const std::size_t ordinate = firstOf(tavola->TXTANSWER, {QAccessible::Focus}, focused);
    ASSERT_LT(ordinate, notices.all.size());
    EXPECT_TRUE(notices.all[ordinate].description.endsWith(status));
    EXPECT_GE(firstOf(tavola->Text4, {QAccessible::DescriptionChanged}, focused + 1), ordinate);
    const QString own = accessible(tavola->Text4)->text(QAccessible::Description);
    EXPECT_TRUE(own.startsWith(QStringLiteral("Scrivi l'ascissa"))) << own.toStdString();
}

TEST_F(TavolaAccessibility, NothingTellsTheTargetWhileAQuestionIsOpen) {
    const std::vector<std::pair<int, int>> targets{{-3, 4}, {2, -4}, {-1, -4}, {4, 4}};
    start(drawsForQuestions(targets));
    Notices notices;

    for (std::size_t question = 0; question < targets.size(); ++question) {
        const QString x = QString::number(targets[question].first);
        const QString y = QString::number(targets[question].second);
        SCOPED_TRACE(("target " + x + ";" + y).toStdString());
        if (question > 0) {
            notices.all.clear();
            tavola->cmdNext->setEnabled(true);
            tavola->cmdNext->click();
        }
        ASSERT_EQ(tavola->Text2, x);
        ASSERT_EQ(tavola->Text1, y);

        const QStringList pairs{x + ";" + y, x + "; " + y, x + ", " + y, x + "," + y};
        const auto tellsTheTarget = [&](const QString& text) {
            if (text == x || text == y) {
                return true;
            }
            return std::any_of(pairs.begin(), pairs.end(),
                               [&](const QString& pair) { return text.contains(pair); });
        };

        int named = 0;
        for (QAccessibleInterface* iface : walk(accessible(tavola))) {
            const QObject* object = iface->object();
            for (const QString& text : readableTexts(iface)) {
                EXPECT_FALSE(tellsTheTarget(text))
                    << "\"" << text.toStdString() << "\" on " << object->objectName().toStdString();
            }
            named += iface->text(QAccessible::Name) == QStringLiteral("Ascissa") ? 1 : 0;
        }
        EXPECT_EQ(named, 1) << "the walk reaches the controls";

        // Notices: a text change reaches the bus only from an object with a
        // text interface, and none of those carries the target.
        if (question > 0) {
            ASSERT_FALSE(notices.all.empty()) << "the question was set while notices were recorded";
        }
        for (const Notices::Notice& notice : notices.all) {
            if (notice.readable) {
                EXPECT_FALSE(tellsTheTarget(notice.name)) << notice.name.toStdString();
                for (const QString& part : notice.textChange.split('|')) {
                    EXPECT_FALSE(tellsTheTarget(part)) << part.toStdString();
                }
            }
        }
    }
}

} // namespace

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/GameLifecycle.h"

#include "clock/ClockHandlers.h"
#include "questions/QuestionHandlers.h"
#include "records/RecordStore.h"
#include "records/keeper/RecordRules.h"
#include "window/CaptionLabel.h"
#include "window/Tavola.h"
#include "window/WindowAccessibility.h"

#include <QTimer>

namespace {
const QString kApplicationTitle = QStringLiteral("Trovapunti");
} // namespace

GameLifecycle::GameLifecycle(Tavola& form, QuestionHandlers& questions, ClockHandlers& clock,
                             GamePlatform& platform)
    : form_(form), questions_(questions), clock_(clock), platform_(platform) {}

void GameLifecycle::Form_Load() {
    platform_.reseedFromClock();
    form_.correctCount = 0;
    form_.wrongCount = 0;
    form_.Timer1->stop();

    const QString name = platform_.inputBox(QStringLiteral("Come ti chiami?"), kApplicationTitle);
    platform_.messageBox(QStringLiteral(" ") + name +
                             QStringLiteral(" vediamo se sei un vero campione  "),
                         kApplicationTitle);
    form_.lblnome1->setCaption(name);

    clock_.StartCountdown();
    form_.correctCount = 0;
    form_.wrongCount = 0;

    form_.recordDir = platform_.recordDirectory();
    loadRecord();

    clock_.clock.recountSecondsLeft();
    form_.lblconto->setCaption(clock_.clock.display());
}

void GameLifecycle::loadRecord() {
    // A record that cannot be kept must not stop the game: the player is told
    // once, and the record line stays empty. The keeper creates what is
    // missing and waits only briefly for a game that is saving.
    const RecordPair record = RecordStore(form_.recordDir).readRecord();
    form_.lblpunti->setCaption(record.score);
    form_.lblnome->setCaption(record.holder);

    if (record.error) {
        // No box of the game start takes time from the game: the countdown
        // stands still while the pupil reads it.
        form_.Timer1->stop();
        platform_.messageBox(record.error->message() +
                                 QStringLiteral("\nSi può giocare lo stesso, ma il record non "
                                                "verrà mostrato."),
                             kApplicationTitle);
        form_.Timer1->start();
    }
}

void GameLifecycle::Form_Activate() {
    questions_.cmdNext_Click();
    form_.wrongCount = 0;
    form_.correctCount = 0;
}

void GameLifecycle::EndGame() {
    // Runs once: the timer stops before the first box, whose event loop
    // could otherwise deliver further ticks.
    if (form_.gameEnded) {
        return;
    }
    form_.gameEnded = true;
    form_.Timer1->stop();

    // The pupil who cannot see the window hears the score with the farewell.
    // The farewell stands in the description too: a screen reader that
    // speaks an alert's description speaks it in place of the text.
    const QString farewell =
        QStringLiteral("Ciao a presto. Ore ") + QString::number(clock_.clock.secondsLeft);
    platform_.messageBox(farewell, QStringLiteral("Data ") + platform_.shortDate(),
                         farewell + QStringLiteral(". ") + WindowAccessibility::spokenScore(form_));

    const double record = RecordRules::leadingNumber(form_.lblpunti->caption().toStdString());
    const double score = form_.lblScore->caption().toDouble();
    const RecordStore store(form_.recordDir);
    const SaveOutcome outcome =
        record < score ? store.saveIfBeaten(form_.lblScore->caption(), form_.lblnome1->caption())
                       : SaveOutcome{SaveOutcome::Status::NotBeaten, std::nullopt};
    // The teachers' line for this game; nothing the pupil sees waits for it.
    store.logGameResult(form_.correctCount, form_.wrongCount,
                        outcome.status == SaveOutcome::Status::Saved, form_.lblnome1->caption());
    if (outcome.status == SaveOutcome::Status::Saved) {
        platform_.messageBox(QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""),
                             kApplicationTitle);
    } else if (outcome.error) {
        // Not beaten needs no box: another game may have saved a higher
        // record meanwhile.
        platform_.messageBox(QStringLiteral("Il tuo record non è stato salvato.\n") +
                                 outcome.error->message(),
                             kApplicationTitle);
    }
    platform_.terminate(0);
}

void GameLifecycle::copy_Click() {
    platform_.messageBox(
        QStringLiteral("Trovapunti\n\n"
                       "Un gioco per imparare a leggere le coordinate dei punti nel piano "
                       "cartesiano.\n\n"
                       "Ideato e realizzato dalla squadra di Trovapunti."),
        kApplicationTitle);
}

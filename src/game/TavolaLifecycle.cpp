// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's start and end: asking the name, arming the countdown, showing
// the record, preparing the first question, and at the end saying goodbye
// and keeping a beaten record.

#include "window/Tavola.h"

#include "game/GameCalendar.h"
#include "game/GameDialogs.h"
#include "game/ProcessTerminator.h"
#include "questions/RandomSource.h"
#include "records/LeadingNumber.h"
#include "records/RecordStore.h"
#include "window/CaptionLabel.h"

#include <QTimer>

namespace {
const QString kApplicationTitle = QStringLiteral("Trovapunti");
} // namespace

void Tavola::Form_Load() {
    services_.random.reseedFromClock();
    correctCount = 0;
    wrongCount = 0;
    Timer1->stop();

    const QString name =
        services_.dialogs.inputBox(QStringLiteral("Come ti chiami?"), kApplicationTitle);
    services_.dialogs.messageBox(QStringLiteral(" ") + name +
                                     QStringLiteral(" vediamo se sei un vero campione  "),
                                 kApplicationTitle);
    lblnome1->setCaption(name);

    StartCountdown();
    correctCount = 0;
    wrongCount = 0;

    recordDir = services_.recordDirectory;
    loadRecord();

    clock.secondsLeft = static_cast<std::int16_t>(clock.clockSeconds + 900.0f);
    lblconto->setCaption(QString::fromStdString(clock.display()));
}

void Tavola::loadRecord() {
    RecordStore store(recordDir);
    // A record that cannot be kept must not stop the game: the player is told
    // once, and the record line stays empty.
    std::optional<RecordError> problem = store.ensureDirectory();
    if (!problem) {
        problem = store.ensureExists(store.scorePath());
    }
    if (!problem) {
        problem = store.ensureExists(store.namePath());
    }

    ReadResult score;
    ReadResult holder;
    if (!problem) {
        score = store.Leggifiletxt(store.scorePath());
        holder = store.Leggifiletxt(store.namePath());
        problem = score.error ? score.error : holder.error;
    }
    lblpunti->setCaption(problem ? QString() : score.content);
    lblnome->setCaption(problem ? QString() : holder.content);

    if (problem) {
        showRecordProblem(problem->message() +
                          QStringLiteral("\nSi può giocare lo stesso, ma il record non verrà "
                                         "mostrato."));
    }
}

void Tavola::showRecordProblem(const QString& message) {
    services_.dialogs.messageBox(message, kApplicationTitle);
}

void Tavola::Form_Activate() {
    cmdNext_Click();
    wrongCount = 0;
    correctCount = 0;
}

void Tavola::EndGame() {
    // Runs once: the timer stops before the first box, whose event loop
    // could otherwise deliver further ticks.
    if (gameEnded_) {
        return;
    }
    gameEnded_ = true;
    Timer1->stop();

    services_.dialogs.messageBox(QStringLiteral("Ciao a presto. Ore ") +
                                     QString::number(clock.secondsLeft),
                                 QStringLiteral("Data ") + services_.calendar.shortDate());

    const double record = leadingNumber(lblpunti->caption());
    const double score = lblScore->caption().toDouble();
    if (!(record < score)) {
        services_.terminator.terminate(0);
        return;
    }

    RecordStore store(recordDir);
    const SaveOutcome outcome = store.saveIfBeaten(score, lblScore->caption(), lblnome1->caption());
    switch (outcome.status) {
    case SaveOutcome::Status::Saved:
        services_.dialogs.messageBox(
            QStringLiteral("Ok ho registrato il tuo record, C A M P I O N E\""), kApplicationTitle);
        break;
    case SaveOutcome::Status::NotBeaten:
        // Another game on this machine saved a higher record meanwhile.
        break;
    case SaveOutcome::Status::Failed:
        showRecordProblem(QStringLiteral("Il tuo record non è stato salvato.\n") +
                          (outcome.error ? outcome.error->message() : QString()));
        break;
    }
    services_.terminator.terminate(0);
}

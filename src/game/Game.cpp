// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/Game.h"

#include "window/AnswerBox.h"
#include "window/PictureButton.h"

#include <QAction>
#include <QTimer>

Game::Game(GamePlatform& platform)
    : questions(tavola, platform), clock(tavola, [this] { lifecycle.EndGame(); }),
      lifecycle(tavola, questions, clock, platform) {
    QObject::connect(tavola.Timer1, &QTimer::timeout, &wiring_, [this] { clock.Timer1_Timer(); });
    QObject::connect(&tavola, &Tavola::firstShown, &wiring_, [this] { lifecycle.Form_Activate(); });
    QObject::connect(tavola.cmdNext, &QPushButton::clicked, &wiring_,
                     [this] { questions.cmdNext_Click(); });
    tavola.Text4->onKeyPress = [this](int& keyAscii) {
        questions.Text4_KeyPress(keyAscii);
    };
    tavola.TXTANSWER->onKeyPress = [this](int& keyAscii) {
        questions.TXTANSWER_KeyPress(keyAscii);
    };
    QObject::connect(tavola.TXTANSWER, &AnswerBox::lostFocus, &wiring_,
                     [this] { questions.TXTANSWER_LostFocus(); });
    QObject::connect(tavola.copy, &QAction::triggered, &wiring_,
                     [this] { lifecycle.copy_Click(); });
}

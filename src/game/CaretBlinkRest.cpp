// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/CaretBlinkRest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QStyleHints>

CaretBlinkRest::CaretBlinkRest(QObject* parent) : QObject(parent) {
    quiet_.setSingleShot(true);
    quiet_.setInterval(kQuietMs);
    // Waking late by a second costs nothing; a coarse timer wakes the
    // system less.
    quiet_.setTimerType(Qt::VeryCoarseTimer);
    connect(&quiet_, &QTimer::timeout, this, &CaretBlinkRest::rest);
    platformFlashTime_ = QGuiApplication::styleHints()->cursorFlashTime();
    QCoreApplication::instance()->installEventFilter(this);
    quiet_.start();
}

CaretBlinkRest::~CaretBlinkRest() {
    if (resting_) {
        QGuiApplication::styleHints()->setCursorFlashTime(platformFlashTime_);
    }
}

void CaretBlinkRest::rest() {
    quiet_.stop();
    if (!resting_) {
        resting_ = true;
        // No flash time: every text box stops its blink timer and draws
        // its caret steadily.
        QGuiApplication::styleHints()->setCursorFlashTime(0);
    }
}

void CaretBlinkRest::wake() {
    if (resting_) {
        resting_ = false;
        QGuiApplication::styleHints()->setCursorFlashTime(platformFlashTime_);
    }
    quiet_.start();
}

bool CaretBlinkRest::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::TouchBegin:
        wake();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/GamePlatform.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// The game's platform for tests: boxes with scripted answers (every box
// shown is remembered in order), the given draws in order, a fixed date, a
// given record directory, and an end that is only recorded. Running past the
// scripted draws is a test fault and throws.
class ScriptedPlatform : public GamePlatform {
public:
    struct Box {
        QString text;
        QString title;
        QString description;
    };

    explicit ScriptedPlatform(std::vector<double> draws = {}, QString records = {})
        : records_(std::move(records)), draws_(std::move(draws)) {
        for (double draw : draws_) {
            if (!(draw >= 0.0 && draw < 1.0)) {
                throw std::invalid_argument("scripted draw outside [0, 1): " +
                                            std::to_string(draw));
            }
        }
    }

    std::deque<QString> names; // an empty script cancels the input box
    std::vector<Box> inputs;
    std::vector<Box> messages;
    // Runs while a message box is open, as its event loop would.
    std::function<void()> whileMessageOpen;
    std::vector<int> exitStatuses;

    QString inputBox(const QString& prompt, const QString& title) override {
        inputs.push_back({prompt, title, QString()});
        if (names.empty()) {
            return QString();
        }
        QString name = names.front();
        names.pop_front();
        return name;
    }

    void messageBox(const QString& text, const QString& title,
                    const QString& description = QString()) override {
        messages.push_back({text, title, description});
        if (whileMessageOpen) {
            whileMessageOpen();
        }
    }

    QString shortDate() override { return QStringLiteral("09/12/26"); }
    QString recordDirectory() override { return records_; }
    void terminate(int exitStatus) override { exitStatuses.push_back(exitStatus); }
    void reseedFromClock() override { ++reseeds_; }

    double next() override {
        if (position_ >= draws_.size()) {
            throw std::out_of_range("scripted draws exhausted after " +
                                    std::to_string(draws_.size()) + " draws");
        }
        return draws_[position_++];
    }

    int reseedCount() const { return reseeds_; }
    std::size_t drawCount() const { return position_; }

private:
    QString records_;
    std::vector<double> draws_;
    std::size_t position_ = 0;
    int reseeds_ = 0;
};

// The four draws of one target, each from the middle of its slice: the
// ordinate's magnitude m (slices 2m-1 and 2m of eleven, 0 only the first),
// its sign flag, the abscissa's magnitude and its sign flag (0 negative).
inline std::vector<double> drawsFor(int ordinateSignFlag, int abscissaMagnitude,
                                    int abscissaSignFlag, int ordinateMagnitude = 4) {
    return {(ordinateMagnitude == 0 ? 0.5 : 2 * ordinateMagnitude + 0.5) / 11.0,
            (ordinateSignFlag + 0.5) / 2.0, (abscissaMagnitude + 0.5) / 5.0,
            (abscissaSignFlag + 0.5) / 2.0};
}

// Draws that light the point (x, y) of one question: x from -4 to 4 (0 drawn
// as a positive zero), y from -5 to 5.
inline std::vector<double> drawsFor(int x, int y) {
    return drawsFor(y < 0 ? 0 : 1, x < 0 ? -x : x, x < 0 ? 0 : 1, y < 0 ? -y : y);
}

// The draws that ask these points one after the other.
inline std::vector<double> drawsForQuestions(const std::vector<std::pair<int, int>>& points) {
    std::vector<double> draws;
    for (const auto& [x, y] : points) {
        const std::vector<double> one = drawsFor(x, y);
        draws.insert(draws.end(), one.begin(), one.end());
    }
    return draws;
}

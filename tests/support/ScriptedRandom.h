// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "questions/RandomSource.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// A RandomSource for tests: hands out the given draws in order and counts
// what was asked of it. Running past the script is a test fault and throws.
class ScriptedRandom : public RandomSource {
public:
    explicit ScriptedRandom(std::vector<double> draws) : draws_(std::move(draws)) {
        for (double draw : draws_) {
            if (!(draw >= 0.0 && draw < 1.0)) {
                throw std::invalid_argument("scripted draw outside [0, 1): " +
                                            std::to_string(draw));
            }
        }
    }

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
    std::size_t remaining() const { return draws_.size() - position_; }

private:
    std::vector<double> draws_;
    std::size_t position_ = 0;
    int reseeds_ = 0;
};

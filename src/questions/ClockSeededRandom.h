// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "questions/RandomSource.h"

#include <random>

// The game's generator. Each reseed takes the clocks at full resolution, so
// two questions asked within the same second still draw independently.
class ClockSeededRandom : public RandomSource {
public:
    // Seeded from the clock at once, so it never runs on a fixed default seed.
    ClockSeededRandom();

    void reseedFromClock() override;
    double next() override;

private:
    std::mt19937_64 engine_;
};

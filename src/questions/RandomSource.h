// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// A uniform generator that can be re-seeded from the clock. The game draws
// its targets through this interface so that tests can script the draws.
class RandomSource {
public:
    virtual ~RandomSource() = default;

    // Starts a fresh sequence seeded from the current time.
    virtual void reseedFromClock() = 0;

    // One uniform draw in [0, 1); never 1.
    virtual double next() = 0;
};

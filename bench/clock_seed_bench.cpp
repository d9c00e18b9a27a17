// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How long one question's re-seed and draw take with the game's generator.
#include "game/QtPlatform.h"
#include "questions/TargetDraw.h"

#include <chrono>
#include <cstdio>

int main() {
    constexpr int kQuestions = 200000;
    QtPlatform random;
    int lit = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kQuestions; ++i) {
        random.reseedFromClock();
        if (drawTarget(random).point) {
            ++lit;
        }
    }
    const std::chrono::duration<double, std::nano> elapsed =
        std::chrono::steady_clock::now() - start;
    std::printf("questions: %d, with a point: %d (%.1f%%)\n", kQuestions, lit,
                100.0 * lit / kQuestions);
    std::printf("reseed + draw: %.0f ns per question\n", elapsed.count() / kQuestions);
    return 0;
}

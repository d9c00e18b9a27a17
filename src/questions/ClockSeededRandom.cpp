// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/ClockSeededRandom.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <vector>

namespace {

// Two reseeds can read the same clock values on a coarse clock; the counter
// keeps their seeds apart all the same.
std::atomic<std::uint64_t> reseedSerial{0};

void pushWord(std::vector<std::uint32_t>& words, std::uint64_t value) {
    words.push_back(static_cast<std::uint32_t>(value));
    words.push_back(static_cast<std::uint32_t>(value >> 32));
}

} // namespace

ClockSeededRandom::ClockSeededRandom() {
    reseedFromClock();
}

void ClockSeededRandom::reseedFromClock() {
    using namespace std::chrono;
    const auto wall = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    const auto mono = duration_cast<nanoseconds>(steady_clock::now().time_since_epoch()).count();

    std::vector<std::uint32_t> words;
    pushWord(words, static_cast<std::uint64_t>(wall));
    pushWord(words, static_cast<std::uint64_t>(mono));
    pushWord(words, reseedSerial.fetch_add(1, std::memory_order_relaxed));
    std::seed_seq seeds(words.begin(), words.end());
    engine_.seed(seeds);
}

double ClockSeededRandom::next() {
    // The top 53 bits scaled by 2^-53: exact in a double and strictly below 1,
    // which std::generate_canonical does not promise on every library.
    constexpr double scale = 1.0 / 9007199254740992.0;
    return static_cast<double>(engine_() >> 11) * scale;
}

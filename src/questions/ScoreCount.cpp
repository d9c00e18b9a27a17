// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "questions/ScoreCount.h"

#include <algorithm>
#include <limits>

void raiseCount(std::int16_t& counter) {
    if (counter < kMaxCount) {
        ++counter;
    }
}

std::int16_t totalCount(std::int16_t right, std::int16_t wrong) {
    const int sum = int{right} + int{wrong};
    return static_cast<std::int16_t>(
        std::clamp(sum, int{std::numeric_limits<std::int16_t>::min()}, int{kMaxCount}));
}

std::string formatCount(std::int16_t count) {
    return std::to_string(count);
}

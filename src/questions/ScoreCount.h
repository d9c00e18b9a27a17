// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

// The score counters are 16-bit; they stop at the largest value instead of
// wrapping round to negative.
inline constexpr std::int16_t kMaxCount = 32767;

// Adds one, staying at kMaxCount once reached.
void raiseCount(std::int16_t& counter);

// right + wrong, staying within the 16-bit range.
std::int16_t totalCount(std::int16_t right, std::int16_t wrong);

// Plain decimal, at least one digit, no separators.
std::string formatCount(std::int16_t count);

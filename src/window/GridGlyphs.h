// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <string_view>

// A one-bit bitmap of the board's label face, stored as text art so the
// shapes can be read and reviewed in the source: '#' is ink, '.' is paper.
struct GridGlyph {
    int width = 0;
    int height = 0;
    std::array<std::string_view, 10> rows{};

    constexpr bool inkAt(int column, int row) const { return rows[row][column] == '#'; }
};

// Metrics of the label face: the digits share one box, and a minus sign sits
// on the digit's sixth row, separated from it by one blank column.
inline constexpr int kDigitWidth = 5;
inline constexpr int kDigitHeight = 10;
inline constexpr int kDigitAdvance = 7;
inline constexpr int kMinusWidth = 4;
inline constexpr int kMinusRowOffset = 5;
inline constexpr int kMinusGap = 1;

// The digits 1 to 5; any other digit throws std::out_of_range, since the
// board never labels 0 or anything beyond 5.
const GridGlyph& digitGlyph(int digit);
const GridGlyph& letterXGlyph();
const GridGlyph& letterYGlyph();

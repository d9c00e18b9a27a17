// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GridGlyphs.h"

#include <stdexcept>

namespace {

// Shapes after the small sans-serif screen faces: single-pixel strokes,
// flat-topped 5, diagonal 4, and a 1 with a foot so that it fills the digit box
// like the others and the labels line up on their lines.
// clang-format off
constexpr std::array<GridGlyph, 5> kDigits{{
    {kDigitWidth, kDigitHeight, {
        "..#..",
        ".##..",
        "#.#..",
        "..#..",
        "..#..",
        "..#..",
        "..#..",
        "..#..",
        "..#..",
        "#####"}},
    {kDigitWidth, kDigitHeight, {
        ".###.",
        "#...#",
        "....#",
        "....#",
        "...#.",
        "..#..",
        ".#...",
        "#....",
        "#....",
        "#####"}},
    {kDigitWidth, kDigitHeight, {
        ".###.",
        "#...#",
        "....#",
        "....#",
        "..##.",
        "....#",
        "....#",
        "....#",
        "#...#",
        ".###."}},
    {kDigitWidth, kDigitHeight, {
        "...#.",
        "..##.",
        "..##.",
        ".#.#.",
        ".#.#.",
        "#..#.",
        "#####",
        "...#.",
        "...#.",
        "...#."}},
    {kDigitWidth, kDigitHeight, {
        "#####",
        "#....",
        "#....",
        "####.",
        "....#",
        "....#",
        "....#",
        "....#",
        "#...#",
        ".###."}},
}};

constexpr GridGlyph kLetterX{6, 7, {
    "#....#",
    "#....#",
    ".#..#.",
    "..##..",
    ".#..#.",
    "#....#",
    "#....#"}};

// The descender takes the last three rows, below the x-height of seven.
constexpr GridGlyph kLetterY{7, 10, {
    "#.....#",
    "#.....#",
    ".#...#.",
    ".#...#.",
    "..#.#..",
    "..#.#..",
    "...#...",
    "...#...",
    "..#....",
    "##....."}};
// clang-format on

} // namespace

const GridGlyph& digitGlyph(int digit) {
    if (digit < 1 || digit > static_cast<int>(kDigits.size())) {
        throw std::out_of_range("no glyph for this digit");
    }
    return kDigits[static_cast<std::size_t>(digit - 1)];
}

const GridGlyph& letterXGlyph() {
    return kLetterX;
}

const GridGlyph& letterYGlyph() {
    return kLetterY;
}

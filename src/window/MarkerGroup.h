// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>
#include <array>
#include <cstdint>
#include <vector>

#include "window/BoardGeometry.h"

class Board;

// One point marker of the board: a 25-pixel disc that is either invisible or
// filled with its back colour. It is a value the board paints; a change asks
// the board to repaint the disc's square.
class Marker {
public:
    static constexpr int kTransparent = 0;
    static constexpr int kOpaque = 1;
    static constexpr std::uint32_t kRed = 0x0000FF;

    Marker(Board* board, QRect disc) : board_(board), disc_(disc) {}

    int backStyle() const { return backStyle_; }
    void setBackStyle(int style);
    // The colour as 0xBBGGRR.
    std::uint32_t backColor() const { return backColor_; }
    void setBackColor(std::uint32_t colour);
    // The disc's square in the board's design pixels.
    QRect disc() const { return disc_; }

private:
    Board* board_;
    QRect disc_;
    int backStyle_ = kTransparent;
    std::uint32_t backColor_ = 0xFFFFFF;
};

// A named group of point markers, addressed by index inside the group's own
// range: 0..5 for groups 1 to 11, 1..5 for groups 12 to 22.
class MarkerGroup {
public:
    explicit MarkerGroup(int groupNumber) : number_(groupNumber) {}

    MarkerGroup(const MarkerGroup&) = delete;
    MarkerGroup& operator=(const MarkerGroup&) = delete;

    // Places one transparent marker per index on its lattice point of the
    // board, whose top-left corner is the grid picture's.
    void placeOn(Board* board);

    // Throws std::out_of_range outside firstIndex()..lastIndex().
    Marker& operator[](int index);

    int firstIndex() const { return number_ > 11 ? 1 : 0; }
    int lastIndex() const { return kLatticeMax; }
    const std::vector<Marker>& markers() const { return markers_; }

private:
    int number_;
    std::vector<Marker> markers_;
};

// The board's 22 groups in number order: element 0 is group 1.
using MarkerGroupSet = std::array<MarkerGroup*, kMarkerGroupCount>;

// Hides every marker.
void resetAllMarkers(const MarkerGroupSet& groups);

// Shows the marker as a red dot: opaque first, then red.
void lightMarker(MarkerGroup& group, int index);

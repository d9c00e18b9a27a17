// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MarkerGroup.h"

#include "window/Board.h"

#include <stdexcept>

void Marker::setBackStyle(int style) {
    if (style != backStyle_) {
        backStyle_ = style;
        board_->updateDesignRect(disc_);
    }
}

void Marker::setBackColor(std::uint32_t colour) {
    if (colour != backColor_) {
        backColor_ = colour;
        board_->updateDesignRect(disc_);
    }
}

void MarkerGroup::placeOn(Board* board) {
    // The inverse of markerFor: groups 12 to 22 repeat the rows of groups 1
    // to 11 (ordinates 1 to 5, 0, -1 to -5) left of the y axis.
    const int sign = number_ > 11 ? -1 : 1;
    const int row = (number_ - 1) % 11 + 1;
    const int ordinate = row <= 5 ? row : 6 - row;
    for (int index = firstIndex(); index <= lastIndex(); ++index) {
        markers_.emplace_back(board, discRect({sign * index, ordinate}));
    }
}

Marker& MarkerGroup::operator[](int index) {
    if (index < firstIndex() || index > lastIndex()) {
        throw std::out_of_range("marker index outside the group");
    }
    return markers_.at(static_cast<std::size_t>(index - firstIndex()));
}

void resetAllMarkers(const MarkerGroupSet& groups) {
    for (MarkerGroup* group : groups) {
        for (int index = group->firstIndex(); index <= group->lastIndex(); ++index) {
            (*group)[index].setBackStyle(Marker::kTransparent);
        }
    }
}

void lightMarker(MarkerGroup& group, int index) {
    Marker& marker = group[index];
    marker.setBackStyle(Marker::kOpaque);
    marker.setBackColor(Marker::kRed);
}

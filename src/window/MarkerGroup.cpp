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

MarkerGroup::MarkerGroup(int groupNumber)
    : number_(groupNumber), layout_(markerGroupLayout(groupNumber)) {}

void MarkerGroup::placeOn(Board* board) {
    for (int index = layout_.firstIndex; index <= layout_.lastIndex; ++index) {
        markers_.emplace_back(board, discRect(pointOf({number_, index})));
    }
}

Marker& MarkerGroup::operator[](int index) {
    if (index < layout_.firstIndex || index > layout_.lastIndex) {
        throw std::out_of_range("marker index outside the group");
    }
    return markers_.at(static_cast<std::size_t>(index - layout_.firstIndex));
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

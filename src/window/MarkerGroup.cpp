// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/MarkerGroup.h"

#include <QWidget>
#include <cstddef>
#include <stdexcept>

MarkerGroup::MarkerGroup(int groupNumber)
    : number_(groupNumber), layout_(markerGroupLayout(groupNumber)) {}

void MarkerGroup::create(QWidget* parent) {
    if (!markers_.empty()) {
        throw std::logic_error("marker group already created");
    }
    for (int index = layout_.firstIndex; index <= layout_.lastIndex; ++index) {
        auto* marker = new Marker(parent);
        const PixelRect rect = discRect(pointOf({number_, index}));
        marker->setGeometry(rect.left, rect.top, rect.width, rect.height);
        markers_.emplace_back(marker);
    }
}

Marker& MarkerGroup::operator[](int index) {
    return marker(index);
}

const Marker& MarkerGroup::operator[](int index) const {
    return marker(index);
}

Marker& MarkerGroup::marker(int index) const {
    if (index < layout_.firstIndex || index > layout_.lastIndex) {
        throw std::out_of_range("marker index outside the group");
    }
    if (markers_.empty()) {
        throw std::logic_error("marker group not created");
    }
    Marker* marker = markers_[static_cast<std::size_t>(index - layout_.firstIndex)].data();
    if (marker == nullptr) {
        throw std::logic_error("marker already destroyed with its parent");
    }
    return *marker;
}

void resetAllMarkers(const MarkerGroupSet& groups) {
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i] == nullptr || groups[i]->number() != static_cast<int>(i) + 1) {
            throw std::invalid_argument("marker groups must be 1 to 22 in order");
        }
    }
    for (const MarkerId& id : resetOrder()) {
        (*groups[static_cast<std::size_t>(id.group - 1)])[id.index].setBackStyle(
            Marker::kTransparent);
    }
}

void lightMarker(MarkerGroup& group, int index) {
    Marker& marker = group[index];
    marker.setBackStyle(Marker::kOpaque);
    marker.setBackColor(Marker::kRed);
}

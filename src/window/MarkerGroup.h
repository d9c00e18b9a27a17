// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>
#include <array>
#include <vector>

#include "window/Marker.h"
#include "window/MarkerGroups.h"

class QWidget;

// A named group of point markers, addressed by index inside the group's own
// range (0..5 or 1..5). The markers are child widgets of the board and are
// owned by it; the group only addresses them.
class MarkerGroup {
public:
    // Throws std::out_of_range for a group number outside 1..22.
    explicit MarkerGroup(int groupNumber);

    MarkerGroup(const MarkerGroup&) = delete;
    MarkerGroup& operator=(const MarkerGroup&) = delete;

    // Places one transparent marker per index on its lattice point of the
    // parent, whose top-left corner is the grid picture's. Throws
    // std::logic_error when called twice.
    void create(QWidget* parent);

    // Throws std::out_of_range outside firstIndex()..lastIndex() and
    // std::logic_error before create() or once the parent is gone.
    Marker& operator[](int index);
    const Marker& operator[](int index) const;

    int firstIndex() const { return layout_.firstIndex; }
    int lastIndex() const { return layout_.lastIndex; }
    int number() const { return number_; }

private:
    Marker& marker(int index) const;

    int number_;
    MarkerGroupLayout layout_;
    std::vector<QPointer<Marker>> markers_;
};

// The board's 22 groups in number order: element 0 is group 1.
using MarkerGroupSet = std::array<MarkerGroup*, kMarkerGroupCount>;

// Hides every marker, group by group in the board's clearing order. Throws
// std::invalid_argument if the set is not groups 1..22 in order.
void resetAllMarkers(const MarkerGroupSet& groups);

// Shows the marker as a red dot: opaque first, then red.
void lightMarker(MarkerGroup& group, int index);

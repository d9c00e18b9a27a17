// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GridImage.h"

#include <QPainter>
#include <cmath>
#include <map>
#include <tuple>

QRgb gridInkColour(GridInk ink) {
    switch (ink) {
    case GridInk::White:
        return qRgb(0xFF, 0xFF, 0xFF);
    case GridInk::Grey:
        return qRgb(0xBD, 0xBD, 0xBD);
    case GridInk::Black:
        return qRgb(0x00, 0x00, 0x00);
    }
    return qRgb(0xFF, 0xFF, 0xFF);
}

QImage gridImage(const GridPicture& picture) {
    const int size = picture.size();
    QImage image(size, size, QImage::Format_RGB32);
    for (int row = 0; row < size; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < size; ++column) {
            line[column] = gridInkColour(picture.at(column, row));
        }
    }
    image.setDevicePixelRatio(picture.ratio());
    return image;
}

namespace {
// Screens report ratios such as 1.5 exactly; the rounding only keeps
// near-equal ratios from drawing the picture again.
long ratioKey(qreal ratio) {
    return std::lround(ratio * 1000.0);
}
} // namespace

GridRects gridRects(const GridPicture& picture) {
    GridRects grid;
    grid.size = picture.size();
    grid.ratio = picture.ratio();
    // The runs of the row above, in column order, each with the rectangle it
    // has grown so far; a run repeated in the next row grows it by one row.
    using Run = std::tuple<int, int, GridInk>;
    std::vector<std::pair<Run, QRect>> open;
    std::vector<std::pair<Run, QRect>> next;
    for (int row = 0; row < grid.size; ++row) {
        next.clear();
        std::size_t abovePos = 0;
        for (int column = 0; column < grid.size;) {
            const GridInk ink = picture.at(column, row);
            int last = column;
            while (last + 1 < grid.size && picture.at(last + 1, row) == ink) {
                ++last;
            }
            if (ink != GridInk::White) {
                const Run run{column, last, ink};
                // The row above's runs are in column order too.
                while (abovePos < open.size() && open[abovePos].first < run) {
                    ++abovePos;
                }
                if (abovePos < open.size() && open[abovePos].first == run) {
                    QRect rect = open[abovePos].second;
                    rect.setBottom(row);
                    next.emplace_back(run, rect);
                    open[abovePos].second = QRect(); // carried on
                } else {
                    next.emplace_back(run, QRect(column, row, last - column + 1, 1));
                }
            }
            column = last + 1;
        }
        for (const auto& [run, rect] : open) {
            if (!rect.isNull()) {
                (std::get<2>(run) == GridInk::Grey ? grid.grey : grid.black).push_back(rect);
            }
        }
        open.swap(next);
    }
    for (const auto& [run, rect] : open) {
        (std::get<2>(run) == GridInk::Grey ? grid.grey : grid.black).push_back(rect);
    }
    grid.grey.shrink_to_fit();
    grid.black.shrink_to_fit();
    return grid;
}

const GridRects& gridRectsForRatio(qreal ratio) {
    const long key = ratioKey(ratio);
    static std::map<long, GridRects> found;
    auto kept = found.find(key);
    if (kept == found.end()) {
        kept = found.emplace(key, gridRects(GridPicture::draw(key / 1000.0))).first;
    }
    return kept->second;
}

void paintGrid(QPainter& painter, const GridRects& grid, const QRect& exposed) {
    painter.save();
    // Device pixels of the picture: whole-pixel rectangles land on whole
    // device pixels at any ratio.
    painter.scale(1.0 / grid.ratio, 1.0 / grid.ratio);
    const QRect area = QRectF(exposed.topLeft() * grid.ratio, exposed.size() * grid.ratio)
                           .toAlignedRect()
                           .adjusted(-1, -1, 1, 1)
                           .intersected(QRect(0, 0, grid.size, grid.size));
    if (!area.isEmpty()) {
        painter.fillRect(area, QColor::fromRgb(gridInkColour(GridInk::White)));
        for (const auto& [rects, ink] :
             {std::pair{&grid.grey, GridInk::Grey}, std::pair{&grid.black, GridInk::Black}}) {
            const QColor colour = QColor::fromRgb(gridInkColour(ink));
            for (const QRect& rect : *rects) {
                if (rect.intersects(area)) {
                    painter.fillRect(rect.intersected(area), colour);
                }
            }
        }
    }
    painter.restore();
}

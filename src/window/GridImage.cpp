// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GridImage.h"

#include <cmath>
#include <map>

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

// The compact image indexes its colour table by the ink's own value.
static_assert(static_cast<int>(GridInk::White) == 0 && static_cast<int>(GridInk::Grey) == 1 &&
              static_cast<int>(GridInk::Black) == 2);

QImage compactGridImage(const GridPicture& picture) {
    const int size = picture.size();
    QImage image(size, size, QImage::Format_Indexed8);
    image.setColorTable({gridInkColour(GridInk::White), gridInkColour(GridInk::Grey),
                         gridInkColour(GridInk::Black)});
    for (int row = 0; row < size; ++row) {
        uchar* line = image.scanLine(row);
        for (int column = 0; column < size; ++column) {
            line[column] = static_cast<uchar>(picture.at(column, row));
        }
    }
    image.setDevicePixelRatio(picture.ratio());
    return image;
}

QImage gridImageForRatio(qreal ratio) {
    // Screens report ratios such as 1.5 exactly; the rounding only keeps
    // near-equal ratios from drawing the picture again.
    const long key = std::lround(ratio * 1000.0);
    static std::map<long, QImage> drawn;
    auto found = drawn.find(key);
    if (found == drawn.end()) {
        found = drawn.emplace(key, compactGridImage(GridPicture::draw(key / 1000.0))).first;
    }
    return found->second;
}

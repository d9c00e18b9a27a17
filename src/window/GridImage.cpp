// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/GridImage.h"

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
    QImage image(GridPicture::kSize, GridPicture::kSize, QImage::Format_RGB32);
    for (int row = 0; row < GridPicture::kSize; ++row) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(row));
        for (int column = 0; column < GridPicture::kSize; ++column) {
            line[column] = gridInkColour(picture.at(column, row));
        }
    }
    return image;
}

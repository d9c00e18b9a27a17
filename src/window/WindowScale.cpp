// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window/WindowScale.h"

#include <algorithm>
#include <cmath>

double layoutFactor(int clientWidth, int clientHeight) {
    const double across = static_cast<double>(std::max(clientWidth, 1)) / kDesignClientWidth;
    const double down = static_cast<double>(std::max(clientHeight, 1)) / kDesignClientHeight;
    return std::min({1.0, across, down});
}

int scaledLength(int designPixels, double factor) {
    return static_cast<int>(std::lround(designPixels * factor));
}

QSize startClientSize(int availableWidth, int availableHeight, int frameWidth, int frameHeight,
                      int menuHeight) {
    const double factor =
        layoutFactor(availableWidth - frameWidth, availableHeight - frameHeight - menuHeight);
    // Rounded down, so that the factor the window then computes from its
    // client area is the same one.
    return {static_cast<int>(std::floor(kDesignClientWidth * factor)),
            static_cast<int>(std::floor(kDesignClientHeight * factor))};
}

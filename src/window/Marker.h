// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>
#include <cstdint>

// One point marker of the board: a 25-pixel disc over the grid picture that
// is either invisible or filled with its back colour. It never takes the
// mouse, so the board's own cursor shows over it.
class Marker : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTransparent = 0;
    static constexpr int kOpaque = 1;
    static constexpr std::uint32_t kRed = 0x0000FF;

    explicit Marker(QWidget* parent = nullptr);

    int backStyle() const { return backStyle_; }
    // Throws std::invalid_argument for anything but kTransparent or kOpaque.
    void setBackStyle(int style);

    // The colour as 0xBBGGRR. Throws std::invalid_argument above 0xFFFFFF.
    std::uint32_t backColor() const { return backColor_; }
    void setBackColor(std::uint32_t colour);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int backStyle_ = kTransparent;
    std::uint32_t backColor_ = 0xFFFFFF;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QWidget;

// Paints the built window once into an image nobody sees, so that its first
// frame on screen finds every font loaded and every glyph drawn. The window
// is neither shown nor activated: no handler runs and nothing the player
// sees changes.
void paintFirstFrameUnseen(QWidget& window);

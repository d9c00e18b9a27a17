// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The one machine-wide directory shared by every player, ending in exactly
// one separator. It is fixed at build time; no environment variable or
// argument can move it.
QString GetSystemDir();

// Appends a separator unless the path already ends in one; several trailing
// separators collapse to one.
QString withTrailingSeparator(const QString& path);

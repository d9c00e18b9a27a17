// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/RecordError.h"

#include <QString>
#include <optional>

// A record file's text, or why it could not be read.
struct ReadResult {
    QString content;
    std::optional<RecordError> error;
};

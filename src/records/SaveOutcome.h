// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/RecordError.h"

#include <optional>

// What the end-of-game save did. Saved is reported only once both record
// files hold the new pair; error is set exactly when the status is Failed.
struct SaveOutcome {
    enum class Status { Saved, NotBeaten, Failed };

    Status status = Status::Failed;
    std::optional<RecordError> error;
};

// SPDX-FileCopyrightText: 2026 Trovapunti developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "records/ReadResult.h"

// The two record files read as one: both come from the same save.
struct RecordPair {
    ReadResult score;
    ReadResult holder;
};

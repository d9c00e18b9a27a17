#pragma once

#include "records/ReadResult.h"

// The two record files read as one: both come from the same save.
struct RecordPair {
    ReadResult score;
    ReadResult holder;
};

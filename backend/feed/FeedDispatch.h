#pragma once
// Hands one feed record to a FeedTarget: the one place that knows which call
// each record kind becomes.
#include "FeedRecords.h"
#include "FeedTarget.h"

namespace feed {

// live: the record is news now. Reference records (services, categories,
// markets and their parts, symbols) are the same either way.
void PushRecord(FeedTarget& target, const FeedRecord& record, bool live);

}  // namespace feed

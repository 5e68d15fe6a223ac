#pragma once
// The words of the commands that put one feed record into the back-end: one
// command per record kind, named as the kind ("service", "headline", ...).
// Where each field goes on the line (a positional word or name=value) and
// what a missing one is called come from the record's field list
// (FeedFields.h); a record that can be live news also takes the word `live`.
#include <cstdint>

#include "ScriptArgs.h"
#include "feed/FeedRecords.h"

namespace automation {

struct RecordWords {
    feed::FeedPayload payload;
    bool live = false;
};

// The record that a record command's words stand for (Command() names the
// kind). Every word must be used. Throws ScriptError for a missing or wrong
// value; `now` gives the day of a time written without one.
RecordWords ReadRecordCommand(Args& args, std::int64_t now);

}  // namespace automation

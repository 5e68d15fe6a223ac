#pragma once
// Writes the sample data set: one feed file with the reference data, the
// history days and, last, the live day whose records carry due times.
#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "Options.h"

namespace kqgen {

struct SampleSummary {
    std::string path;
    std::vector<std::int32_t> days;
    std::size_t headlines = 0;    // one per planned headline (re-sends not counted)
    std::size_t records = 0;      // every record written
    std::size_t liveRecords = 0;  // of them, with a due time
    std::uintmax_t bytes = 0;
};

// The file name in the output folder: news.kqfeed, or large.kqfeed.
std::string SampleFileName(const GeneratorOptions& options);

// Writes the set; nullopt and the reason when the file cannot be written (a
// half-written file is never left under the final name). Progress lines go
// to `progress` when it is not null.
std::optional<SampleSummary> WriteSample(const GeneratorOptions& options, std::ostream* progress,
                                         std::string* error);

}  // namespace kqgen

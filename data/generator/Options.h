#pragma once
// The command line of kqgen.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kqgen {

struct GeneratorOptions {
    std::uint64_t seed = 1;
    int days = 8;       // trading days; the last is the live day (not in large mode)
    int perDay = 3000;  // headlines a day across all services
    std::string outDir = ".";
    bool large = false;        // benchmark set: 1,000,000 headlines a day, all history
    std::int32_t endDate = 0;  // YYYYMMDD; 0: the last weekday up to today
    bool quiet = false;
};

struct ParsedOptions {
    std::optional<GeneratorOptions> options;  // nullopt: see error, or help was asked
    bool help = false;
    std::string error;
};

// `today` (YYYYMMDD, Taipei) decides the default end date.
ParsedOptions ParseOptions(const std::vector<std::string>& args, std::int32_t today);

const char* UsageText();

}  // namespace kqgen

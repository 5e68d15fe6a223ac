// kqgen: writes the sample news feed (see docs/feed.md).
#include <iostream>
#include <string>
#include <vector>

#include "Calendar.h"
#include "Clock.h"
#include "HostContext.h"
#include "Options.h"
#include "SampleSet.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const std::int32_t today = kqgen::TaipeiDate(HostContext::Current().GetClock().Now());
    const kqgen::ParsedOptions parsed = kqgen::ParseOptions(args, today);
    if (parsed.help) {
        std::cout << kqgen::UsageText();
        return 0;
    }
    if (!parsed.options) {
        std::cerr << "kqgen: " << parsed.error << "\n\n" << kqgen::UsageText();
        return 2;
    }
    const kqgen::GeneratorOptions& options = *parsed.options;
    std::string error;
    const auto summary = kqgen::WriteSample(options, options.quiet ? nullptr : &std::cerr, &error);
    if (!summary) {
        std::cerr << "kqgen: " << error << "\n";
        return 1;
    }
    if (!options.quiet)
        std::cerr << "kqgen: wrote " << summary->path << ": " << summary->days.size()
                  << " trading days, " << summary->headlines << " headlines, " << summary->records
                  << " records (" << summary->liveRecords << " live), "
                  << summary->bytes / (1024 * 1024) << " MiB\n";
    return 0;
}

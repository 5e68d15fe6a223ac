// libFuzzer target for the feed reader. Any bytes must read without a crash,
// and every record the reader hands out must be a sound record that the
// writer writes and the reader reads back as the same record.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "feed/FeedReader.h"
#include "feed/FeedWriter.h"

namespace {

void check(bool holds) {
    if (!holds)
        std::abort();
}

void checkRoundTrip(const feed::FeedRecord& record) {
    check(!feed::ValidateRecord(record).has_value());
    const std::optional<std::string> line = feed::FormatRecord(record);
    check(line.has_value());
    check(feed::IsRecordLine(*line));
    const std::optional<feed::FeedRecord> again = feed::ParseRecord(*line);
    check(again.has_value() && *again == record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    // A small line bound, so that overlong lines and runaway streams are
    // reached with small inputs.
    std::istringstream in(text);
    feed::FeedReader reader(in, "fuzz", 512);
    std::size_t records = 0;
    while (std::optional<feed::FeedRecord> record = reader.Next()) {
        checkRoundTrip(*record);
        ++records;
    }
    check(reader.IssueCount() >= reader.Issues().size());

    // Each line on its own, as the replay's single-line reads take it.
    std::string_view rest = text;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        while (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (!feed::IsRecordLine(line))
            continue;
        CString reason;
        const std::optional<feed::FeedRecord> record = feed::ParseRecord(line, &reason);
        if (record)
            checkRoundTrip(*record);
        else
            check(!reason.IsEmpty());
    }
    return 0;
}

#include "FeedInjector.h"

#include "FeedDispatch.h"
#include "FeedReader.h"

namespace feed {

bool FeedInjector::Record(const FeedRecord& record, bool live) {
    if (auto problem = ValidateRecord(record)) {
        m_error = *problem;
        return false;
    }
    PushRecord(m_target, record, live);
    ++m_injected;
    m_error.Empty();
    return true;
}

bool FeedInjector::Headline(const FeedHeadline& item, bool live) {
    auto record = FromFeedHeadline(item, &m_error);
    if (!record)
        return false;
    return Record(FeedRecord{std::nullopt, std::move(*record)}, live);
}

bool FeedInjector::Story(const CStory& story, bool live) {
    return Record(FeedRecord{std::nullopt, FromStory(story)}, live);
}

bool FeedInjector::NewsDay(BYTE service, std::int32_t date, bool live) {
    return Record(FeedRecord{std::nullopt, NewsDayRecord{service, date}}, live);
}

bool FeedInjector::Line(std::string_view line, bool live) {
    if (!IsRecordLine(line)) {
        m_error = "the line holds no record";
        return false;
    }
    auto record = ParseRecord(line, &m_error);
    if (!record)
        return false;
    return Record(*record, live);
}

}  // namespace feed

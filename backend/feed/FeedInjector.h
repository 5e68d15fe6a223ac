#pragma once
// Pushes single records straight into a FeedTarget, without a file: for tests
// and the automation. Every record is checked as a feed file's would be; one
// that is not sound is refused with a reason and nothing reaches the target.
#include <cstdint>
#include <string_view>

#include "CString.h"
#include "FeedRecords.h"
#include "FeedTarget.h"

namespace feed {

class FeedInjector {
  public:
    explicit FeedInjector(FeedTarget& target) : m_target(target) {}

    bool Headline(const FeedHeadline& item, bool live = true);
    // A story for a headline delivered before (a correction, a late story).
    bool Story(const CStory& story, bool live = true);
    bool NewsDay(BYTE service, std::int32_t date, bool live = true);
    bool Record(const FeedRecord& record, bool live = true);
    // One line in the feed file format, as the automation writes it.
    bool Line(std::string_view line, bool live = true);

    // Why the last refused call was refused.
    const CString& LastError() const { return m_error; }
    std::size_t Injected() const { return m_injected; }

  private:
    FeedTarget& m_target;
    CString m_error;
    std::size_t m_injected = 0;
};

}  // namespace feed

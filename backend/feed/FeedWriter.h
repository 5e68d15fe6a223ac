#pragma once
// Writes feed records as lines of a feed file (format in docs/feed.md).
#include <optional>
#include <ostream>
#include <string>

#include "CString.h"
#include "FeedRecords.h"

namespace feed {

// The first line of every feed file this writer makes.
inline constexpr const char* kFormatLine = "#kqfeed 1";
inline constexpr int kFormatVersion = 1;

// One record as a line without its line feed; nullopt and the reason when the
// record is not sound (ValidateRecord).
std::optional<std::string> FormatRecord(const FeedRecord& record, CString* reason = nullptr);

class FeedWriter {
  public:
    explicit FeedWriter(std::ostream& out) : m_out(out) {}

    // The format line; call once, first.
    void WriteHeader();
    // A comment line ("# " and the text); a line break in it starts a new
    // comment line.
    void WriteComment(std::string_view text);
    // False, with LastError(), when the record is not sound or the stream
    // failed; nothing is written for a record that is not sound.
    bool Write(const FeedRecord& record);

    const CString& LastError() const { return m_error; }
    std::size_t RecordsWritten() const { return m_written; }

  private:
    std::ostream& m_out;
    std::string m_line;
    CString m_error;
    std::size_t m_written = 0;
};

}  // namespace feed

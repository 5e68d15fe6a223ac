#pragma once
// Reads feed files. A line that is not a sound record is reported (source,
// line number, reason) and skipped; the lines after it still load.
#include <cstddef>
#include <functional>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CString.h"
#include "FeedRecords.h"

namespace feed {

struct FeedIssue {
    CString source;  // file name, or what the caller named the stream
    std::size_t line = 0;
    CString reason;
};

// One line (without its line end) as a record; nullopt and the reason when it
// is not one. Blank and comment lines are not records: ask IsRecordLine first.
std::optional<FeedRecord> ParseRecord(std::string_view line, CString* reason = nullptr);

// False for blank lines and comments ('#' first).
bool IsRecordLine(std::string_view line);

// True, with the reason, when a file's first line (byte-order mark removed)
// says it is written in a feed format newer than this reader's.
bool IsNewerFormatLine(std::string_view line, CString* reason);

// Lines of a stream, with a bound on their length so a damaged file without
// line ends cannot exhaust memory. Line ends are LF, with any CRs before it.
class LineSource {
  public:
    static constexpr std::size_t kDefaultMaxLine = 64u << 20;
    // A line running on past this many times the bound without a line end
    // stops the reading: an endless stream (a device, a file of zeros) is
    // not a feed, and skipping it would never end.
    static constexpr std::size_t kRunawayFactor = 16;

    explicit LineSource(std::istream& in, std::size_t maxLine = kDefaultMaxLine);
    // False at the end of the stream. A line longer than the bound comes back
    // empty with `tooLong` set; the rest of it is skipped.
    bool Next(std::string& line, bool& tooLong);
    // Whether the line Next() returned last ended with a line feed; a last
    // line without one was cut short (or is still being written).
    bool LineEnded() const { return m_ended; }
    // Reading stopped at a line without end past kRunawayFactor times the bound.
    bool RanAway() const { return m_runaway; }
    bool ReadFailed() const { return m_failed; }
    std::size_t MaxLine() const { return m_maxLine; }

  private:
    bool Fill();

    std::istream& m_in;
    std::size_t m_maxLine;
    std::vector<char> m_buffer;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_eof = false;
    bool m_failed = false;
    bool m_ended = false;
    bool m_runaway = false;
};

class FeedReader {
  public:
    // Issues beyond this many are counted, not kept.
    static constexpr std::size_t kKeptIssues = 1000;

    FeedReader(std::istream& in, CString source, std::size_t maxLine = LineSource::kDefaultMaxLine);
    // A reader of a file; null and the reason when it cannot be opened.
    static std::unique_ptr<FeedReader> OpenFile(const std::string& path, CString* error);

    // The next sound record; nullopt at the end, or when the file cannot be
    // read on (Error() then says why).
    std::optional<FeedRecord> Next();

    // The line of the record Next() returned last.
    std::size_t Line() const { return m_line; }
    const CString& Source() const { return m_source; }
    const std::vector<FeedIssue>& Issues() const { return m_issues; }
    std::size_t IssueCount() const { return m_issueCount; }
    // Called for every issue as it is found.
    void SetIssueHandler(std::function<void(const FeedIssue&)> handler) {
        m_handler = std::move(handler);
    }
    // Why reading stopped early (a newer format, a read error, a line without
    // end that runs on and on); empty otherwise.
    const CString& Error() const { return m_error; }

  private:
    void Report(CString reason);
    bool CheckFormatLine(std::string_view line);

    std::unique_ptr<std::istream> m_owned;
    LineSource m_lines;
    CString m_source;
    std::string m_text;
    std::size_t m_line = 0;
    std::vector<FeedIssue> m_issues;
    std::size_t m_issueCount = 0;
    std::function<void(const FeedIssue&)> m_handler;
    CString m_error;
    bool m_stopped = false;

    FeedReader(std::unique_ptr<std::istream> owned, CString source);
};

// Every sound record of a file, and the issues; for tools and tests. Large
// files are better read record by record with FeedReader.
struct FeedFileContents {
    std::vector<FeedRecord> records;
    std::vector<FeedIssue> issues;
    CString error;  // the file could not be opened or read to its end
};
FeedFileContents ReadFeedFile(const std::string& path);

}  // namespace feed

#pragma once
// Where a replay takes its records from: feed files read one record at a
// time, or records held in memory.
#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CString.h"
#include "FeedReader.h"
#include "FeedRecords.h"

namespace feed {

class FeedSource {
  public:
    virtual ~FeedSource() = default;
    // The next sound record, or nullopt when none is left.
    virtual std::optional<FeedRecord> Next() = 0;
    // How many records the source holds, lines that turn out malformed
    // included, so that progress can be shown.
    virtual std::size_t Total() const = 0;
    // Lines passed over as malformed so far.
    virtual std::size_t Skipped() const = 0;
    // The first issues found (FeedReader::kKeptIssues per file at most).
    virtual const std::vector<FeedIssue>& Issues() const = 0;
};

class MemoryFeedSource final : public FeedSource {
  public:
    explicit MemoryFeedSource(std::vector<FeedRecord> records) : m_records(std::move(records)) {}
    std::optional<FeedRecord> Next() override;
    std::size_t Total() const override { return m_records.size(); }
    std::size_t Skipped() const override { return 0; }
    const std::vector<FeedIssue>& Issues() const override { return m_issues; }

  private:
    std::vector<FeedRecord> m_records;
    std::size_t m_next = 0;
    std::vector<FeedIssue> m_issues;
};

// Feed files read in the order given, as one stream of records. Counting the
// record lines up front costs one quick pass over each file.
class FeedFileSource final : public FeedSource {
  public:
    // Null, with the reason, when a file cannot be opened.
    static std::unique_ptr<FeedFileSource> Open(const std::vector<std::string>& paths,
                                                CString* error);

    std::optional<FeedRecord> Next() override;
    std::size_t Total() const override { return m_total; }
    std::size_t Skipped() const override;
    const std::vector<FeedIssue>& Issues() const override { return m_issues; }
    // The due time of the first live record (found while counting), so a
    // host can shift the recording before it starts; nullopt when none.
    std::optional<std::int64_t> FirstDue() const { return m_firstDue; }
    // Called for every issue as it is found (the host logs them).
    void SetIssueHandler(std::function<void(const FeedIssue&)> handler);

  private:
    explicit FeedFileSource(std::vector<std::string> paths) : m_paths(std::move(paths)) {}
    bool OpenNext();
    void Note(const FeedIssue& issue);

    std::vector<std::string> m_paths;
    std::size_t m_nextPath = 0;
    std::unique_ptr<FeedReader> m_reader;
    std::size_t m_total = 0;
    std::optional<std::int64_t> m_firstDue;
    std::size_t m_skippedBefore = 0;  // by the readers already closed
    std::vector<FeedIssue> m_issues;
    std::function<void(const FeedIssue&)> m_handler;
};

struct FeedFileScan {
    std::size_t recordLines = 0;  // not blank, not a comment
    std::optional<std::int64_t> firstDue;
};
// A quick pass over a file; nullopt (and why, when asked) when it cannot be
// read, is written in a newer format, or is no feed file at all (a line
// without end that runs on and on).
std::optional<FeedFileScan> ScanFeedFile(const std::string& path, CString* why = nullptr);

}  // namespace feed

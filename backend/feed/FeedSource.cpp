#include "FeedSource.h"

#include <fstream>

#include "FeedText.h"

namespace feed {

std::optional<FeedRecord> MemoryFeedSource::Next() {
    if (m_next >= m_records.size())
        return std::nullopt;
    return m_records[m_next++];
}

std::optional<FeedFileScan> ScanFeedFile(const std::string& path, CString* why) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (why)
            *why = "it cannot be opened";
        return std::nullopt;
    }
    LineSource lines(in);
    std::string line;
    bool tooLong = false;
    FeedFileScan scan;
    bool first = true;
    while (lines.Next(line, tooLong)) {
        std::string_view text = line;
        if (first && text.substr(0, 3) == "\xEF\xBB\xBF")
            text.remove_prefix(3);
        if (first && !tooLong && IsNewerFormatLine(text, why))
            return std::nullopt;
        first = false;
        // A line too long to keep is still a record line that will be skipped.
        if (!tooLong && !IsRecordLine(line))
            continue;
        ++scan.recordLines;
        if (scan.firstDue || tooLong)
            continue;
        // The due time is the second field; a malformed one is the reader's to report.
        const auto fields = text::SplitFields(line);
        if (fields.size() > 1 && !fields[1].empty())
            scan.firstDue = text::ParseSigned(fields[1], 0, kMaxDue);
    }
    if (lines.ReadFailed() || lines.RanAway()) {
        if (why)
            *why = lines.RanAway() ? CString::Formatted(
                                         "a line runs on past %zu bytes without a "
                                         "line end; not a feed file",
                                         lines.MaxLine() * LineSource::kRunawayFactor)
                                   : CString("read error");
        return std::nullopt;
    }
    return scan;
}

std::unique_ptr<FeedFileSource> FeedFileSource::Open(const std::vector<std::string>& paths,
                                                     CString* error) {
    std::unique_ptr<FeedFileSource> source(new FeedFileSource(paths));
    for (const std::string& path : paths) {
        CString why;
        const auto scan = ScanFeedFile(path, &why);
        if (!scan) {
            if (error)
                error->Format("cannot read feed file %s: %s", path.c_str(), why.c_str());
            return nullptr;
        }
        source->m_total += scan->recordLines;
        if (!source->m_firstDue)
            source->m_firstDue = scan->firstDue;
    }
    return source;
}

void FeedFileSource::SetIssueHandler(std::function<void(const FeedIssue&)> handler) {
    m_handler = std::move(handler);
    if (m_reader)
        m_reader->SetIssueHandler([this](const FeedIssue& issue) { Note(issue); });
}

void FeedFileSource::Note(const FeedIssue& issue) {
    if (m_issues.size() < FeedReader::kKeptIssues)
        m_issues.push_back(issue);
    if (m_handler)
        m_handler(issue);
}

bool FeedFileSource::OpenNext() {
    if (m_reader) {
        m_skippedBefore += m_reader->IssueCount();
        if (!m_reader->Error().IsEmpty())
            Note(FeedIssue{m_reader->Source(), m_reader->Line(), m_reader->Error()});
        m_reader.reset();
    }
    while (m_nextPath < m_paths.size()) {
        const std::string& path = m_paths[m_nextPath++];
        CString error;
        m_reader = FeedReader::OpenFile(path, &error);
        if (m_reader) {
            m_reader->SetIssueHandler([this](const FeedIssue& issue) { Note(issue); });
            return true;
        }
        // Counted when opened, gone since: its lines will never come.
        Note(FeedIssue{CString(path), 0, error});
    }
    return false;
}

std::optional<FeedRecord> FeedFileSource::Next() {
    while (true) {
        if (m_reader) {
            if (auto record = m_reader->Next())
                return record;
        }
        if (!OpenNext())
            return std::nullopt;
    }
}

std::size_t FeedFileSource::Skipped() const {
    return m_skippedBefore + (m_reader ? m_reader->IssueCount() : 0);
}

}  // namespace feed

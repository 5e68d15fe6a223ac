#include "FeedReader.h"

#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>

#include "CodePage.h"
#include "FeedFields.h"
#include "FeedText.h"
#include "FeedWriter.h"

namespace feed {
namespace {

constexpr std::string_view kFormatPrefix = "#kqfeed ";

// Reads the fields of one record in order; the first failure sticks.
class FieldCursor {
  public:
    FieldCursor(const std::vector<std::string_view>& fields, std::size_t first)
        : m_fields(fields), m_next(first) {}

    bool Failed() const { return !m_reason.empty(); }
    const std::string& Reason() const { return m_reason; }

    // The next field, as the type of `value`.
    void Read(const char* name, BYTE& value) { value = Byte(name); }
    void Read(const char* name, std::int32_t& value) { value = Int32(name); }
    void Read(const char* name, std::uint32_t& value) { value = UInt32(name); }
    void Read(const char* name, CString& value) { value = Text(name); }
    void Read(const char* name, std::vector<CString>& value) { value = List(name); }

  private:
    BYTE Byte(const char* name) {
        const auto value = text::ParseUnsigned(Take(), 255);
        if (!value)
            Fail(name, "a number from 0 to 255");
        return static_cast<BYTE>(value.value_or(0));
    }
    std::int32_t Int32(const char* name) {
        const auto value = text::ParseSigned(Take(), std::numeric_limits<std::int32_t>::min(),
                                             std::numeric_limits<std::int32_t>::max());
        if (!value)
            Fail(name, "a 32-bit number");
        return static_cast<std::int32_t>(value.value_or(0));
    }
    std::uint32_t UInt32(const char* name) {
        const auto value = text::ParseUnsigned(Take(), std::numeric_limits<std::uint32_t>::max());
        if (!value)
            Fail(name, "a number from 0 to 4294967295");
        return static_cast<std::uint32_t>(value.value_or(0));
    }
    CString Text(const char* name) {
        const std::string_view field = Take();
        if (Failed())
            return {};
        std::string why;
        auto value = text::Unescape(field, &why);
        if (!value) {
            m_reason = std::string(name) + ": " + why;
            return {};
        }
        return CString(std::move(*value));
    }
    std::vector<CString> List(const char* name) {
        std::vector<CString> items;
        const std::string_view field = Take();
        if (Failed())
            return items;
        for (const std::string_view item : text::SplitList(field)) {
            std::string why;
            auto value = text::Unescape(item, &why);
            if (!value) {
                m_reason = std::string(name) + ": " + why;
                return {};
            }
            items.emplace_back(std::move(*value));
        }
        return items;
    }
    std::string_view Take() {
        if (Failed() || m_next >= m_fields.size())
            return {};
        return m_fields[m_next++];
    }
    void Fail(const char* name, const char* expected) {
        if (Failed())
            return;
        const std::string_view field = m_fields[m_next - 1];
        m_reason =
            std::string(name) + " '" + std::string(field.substr(0, 40)) + "' is not " + expected;
    }

    const std::vector<std::string_view>& m_fields;
    std::size_t m_next;
    std::string m_reason;
};

template <class Record>
FeedPayload ParseFields(FieldCursor& cursor) {
    Record record;
    ForEachField<Record>([&](const auto& field) { cursor.Read(field.name, record.*field.member); });
    return record;
}

struct KindInfo {
    std::string_view name;
    std::size_t fields;  // after kind and due
    FeedPayload (*parse)(FieldCursor&);
};

template <std::size_t I>
using KindAt = std::variant_alternative_t<I, FeedPayload>;

template <std::size_t... I>
constexpr auto MakeKinds(std::index_sequence<I...>) {
    return std::array{KindInfo{RecordFields<KindAt<I>>::kKind, kFieldCount<KindAt<I>>,
                               &ParseFields<KindAt<I>>}...};
}

constexpr auto kKinds = MakeKinds(std::make_index_sequence<std::variant_size_v<FeedPayload>>{});

void SetReason(CString* reason, CString text) {
    if (reason)
        *reason = std::move(text);
}

}  // namespace

bool IsRecordLine(std::string_view line) {
    for (const char c : line) {
        if (c == '#')
            return false;
        if (c != ' ' && c != '\t')
            return true;
    }
    return false;
}

bool IsNewerFormatLine(std::string_view line, CString* reason) {
    if (line.substr(0, kFormatPrefix.size()) != kFormatPrefix)
        return false;
    // Every version is newer than this reader's when its digits are too many
    // to count: a huge number is no reason to read the file as format 1.
    const std::string_view number = line.substr(kFormatPrefix.size());
    const bool digits =
        !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
    if (!digits)
        return false;
    const auto version = text::ParseUnsigned(number, 1000000);
    if (version && *version <= static_cast<std::uint64_t>(kFormatVersion))
        return false;
    SetReason(reason,
              CString::Formatted("written in feed format %.40s, newer than this reader (%d)",
                                 std::string(number).c_str(), kFormatVersion));
    return true;
}

std::optional<FeedRecord> ParseRecord(std::string_view line, CString* reason) {
    if (!codepage::IsValidUtf8(line)) {
        SetReason(reason, "the line is not UTF-8 text");
        return std::nullopt;
    }
    const auto fields = text::SplitFields(line);
    const std::string_view kind = fields[0];
    const KindInfo* info = nullptr;
    for (const KindInfo& candidate : kKinds) {
        if (candidate.name == kind)
            info = &candidate;
    }
    if (!info) {
        SetReason(reason, CString::Formatted("unknown record kind '%s'",
                                             std::string(kind.substr(0, 40)).c_str()));
        return std::nullopt;
    }
    if (fields.size() != info->fields + 2) {
        SetReason(reason, CString::Formatted("%s: expected %zu fields after the kind, found %zu",
                                             std::string(kind).c_str(), info->fields + 1,
                                             fields.size() - 1));
        return std::nullopt;
    }
    FeedRecord record;
    if (!fields[1].empty()) {
        const auto due = text::ParseSigned(fields[1], 0, kMaxDue);
        if (!due) {
            SetReason(reason, CString::Formatted("%s: due time '%s' is not a time in seconds",
                                                 std::string(kind).c_str(),
                                                 std::string(fields[1].substr(0, 40)).c_str()));
            return std::nullopt;
        }
        record.due = *due;
    }
    FieldCursor cursor(fields, 2);
    FeedPayload payload = info->parse(cursor);
    if (cursor.Failed()) {
        SetReason(reason,
                  CString::Formatted("%s: %s", std::string(kind).c_str(), cursor.Reason().c_str()));
        return std::nullopt;
    }
    record.payload = std::move(payload);
    if (auto problem = ValidateRecord(record)) {
        SetReason(reason,
                  CString::Formatted("%s: %s", std::string(kind).c_str(), problem->c_str()));
        return std::nullopt;
    }
    return record;
}

LineSource::LineSource(std::istream& in, std::size_t maxLine)
    : m_in(in), m_maxLine(maxLine), m_buffer(1u << 16) {}

bool LineSource::Fill() {
    if (m_eof)
        return false;
    m_in.read(m_buffer.data(), static_cast<std::streamsize>(m_buffer.size()));
    const auto got = static_cast<std::size_t>(m_in.gcount());
    if (m_in.bad())
        m_failed = true;
    if (!m_in)
        m_eof = true;
    m_pos = 0;
    m_end = got;
    return got > 0;
}

bool LineSource::Next(std::string& line, bool& tooLong) {
    line.clear();
    tooLong = false;
    m_ended = false;
    if (m_runaway)
        return false;
    const std::size_t runaway =
        m_maxLine > SIZE_MAX / kRunawayFactor ? SIZE_MAX : m_maxLine * kRunawayFactor;
    std::size_t length = 0;
    bool any = false;
    while (true) {
        if (m_pos == m_end && !Fill())
            break;
        any = true;
        const char* begin = m_buffer.data() + m_pos;
        const auto* newline = static_cast<const char*>(std::memchr(begin, '\n', m_end - m_pos));
        const std::size_t count =
            newline ? static_cast<std::size_t>(newline - begin) : m_end - m_pos;
        if (!tooLong) {
            if (line.size() + count > m_maxLine) {
                tooLong = true;
                line.clear();
            } else {
                line.append(begin, count);
            }
        }
        m_pos += count;
        length += count;
        if (newline) {
            ++m_pos;
            m_ended = true;
            break;
        }
        if (length > runaway) {
            m_runaway = true;
            break;
        }
    }
    if (!any)
        return false;
    // CRs before the line feed are line end, however many a transfer added;
    // the writer never leaves a bare CR in a field.
    while (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
}

FeedReader::FeedReader(std::istream& in, CString source, std::size_t maxLine)
    : m_lines(in, maxLine), m_source(std::move(source)) {}

FeedReader::FeedReader(std::unique_ptr<std::istream> owned, CString source)
    : m_owned(std::move(owned)), m_lines(*m_owned), m_source(std::move(source)) {}

std::unique_ptr<FeedReader> FeedReader::OpenFile(const std::string& path, CString* error) {
    auto in = std::make_unique<std::ifstream>(path, std::ios::binary);
    if (!*in) {
        if (error)
            error->Format("cannot open %s: %s", path.c_str(), std::strerror(errno));
        return nullptr;
    }
    return std::unique_ptr<FeedReader>(new FeedReader(std::move(in), CString(path)));
}

void FeedReader::Report(CString reason) {
    FeedIssue issue{m_source, m_line, std::move(reason)};
    ++m_issueCount;
    if (m_handler)
        m_handler(issue);
    if (m_issues.size() < kKeptIssues)
        m_issues.push_back(std::move(issue));
}

bool FeedReader::CheckFormatLine(std::string_view line) {
    CString reason;
    if (IsNewerFormatLine(line, &reason)) {
        m_error.Format("%s: %s", m_source.c_str(), reason.c_str());
        return false;
    }
    if (line.substr(0, kFormatPrefix.size()) == kFormatPrefix &&
        !text::ParseUnsigned(line.substr(kFormatPrefix.size()), 1000000))
        Report("the format line names no version");
    return true;
}

std::optional<FeedRecord> FeedReader::Next() {
    if (m_stopped)
        return std::nullopt;
    bool tooLong = false;
    while (m_lines.Next(m_text, tooLong)) {
        ++m_line;
        std::string_view line = m_text;
        if (m_line == 1 && line.substr(0, 3) == "\xEF\xBB\xBF")
            line.remove_prefix(3);
        if (tooLong) {
            Report(CString::Formatted("the line is longer than %zu bytes", m_lines.MaxLine()));
            continue;
        }
        if (!m_lines.LineEnded() && IsRecordLine(line)) {
            // Without its line end the record may be cut inside its last field.
            Report("the last line has no line end (cut short or still being written); skipped");
            continue;
        }
        if (!IsRecordLine(line)) {
            if (m_line == 1 && !CheckFormatLine(line)) {
                m_stopped = true;
                return std::nullopt;
            }
            continue;
        }
        CString reason;
        auto record = ParseRecord(line, &reason);
        if (!record) {
            Report(std::move(reason));
            continue;
        }
        return record;
    }
    if (m_lines.ReadFailed())
        m_error.Format("%s: read error after line %zu", m_source.c_str(), m_line);
    else if (m_lines.RanAway())
        m_error.Format("%s: line %zu runs on past %zu bytes without a line end; not a feed file",
                       m_source.c_str(), m_line, m_lines.MaxLine() * LineSource::kRunawayFactor);
    m_stopped = true;
    return std::nullopt;
}

FeedFileContents ReadFeedFile(const std::string& path) {
    FeedFileContents contents;
    auto reader = FeedReader::OpenFile(path, &contents.error);
    if (!reader)
        return contents;
    while (auto record = reader->Next())
        contents.records.push_back(std::move(*record));
    contents.issues = reader->Issues();
    if (contents.error.IsEmpty())
        contents.error = reader->Error();
    return contents;
}

}  // namespace feed

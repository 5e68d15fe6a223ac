#include "FeedWriter.h"

#include <type_traits>

#include "FeedFields.h"
#include "FeedText.h"

namespace feed {
namespace {

// Appends fields to a line, each after a field separator.
class LineBuilder {
  public:
    explicit LineBuilder(std::string& out) : m_out(out) {}

    void Put(const CString& value) {
        Separate();
        text::AppendEscaped(m_out, value.str());
    }
    void Put(const std::vector<CString>& items) {
        Separate();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0)
                m_out += text::kListSeparator;
            text::AppendEscaped(m_out, items[i].str(), true);
        }
    }
    template <typename Number>
    requires std::is_integral_v<Number>
    void Put(Number value) {
        Separate();
        m_out += std::to_string(value);
    }

  private:
    void Separate() { m_out += text::kFieldSeparator; }
    std::string& m_out;
};

template <class Record>
void PutFields(LineBuilder& builder, const Record& record) {
    ForEachField<Record>([&](const auto& field) { builder.Put(record.*field.member); });
}

bool AppendRecord(std::string& out, const FeedRecord& record, CString* reason) {
    if (auto problem = ValidateRecord(record)) {
        if (reason)
            *reason = *problem;
        return false;
    }
    out += KindName(record.payload);
    out += text::kFieldSeparator;
    if (record.due)
        out += std::to_string(*record.due);
    LineBuilder builder(out);
    std::visit([&](const auto& r) { PutFields(builder, r); }, record.payload);
    return true;
}

}  // namespace

std::optional<std::string> FormatRecord(const FeedRecord& record, CString* reason) {
    std::string line;
    if (!AppendRecord(line, record, reason))
        return std::nullopt;
    return line;
}

void FeedWriter::WriteHeader() {
    m_out << kFormatLine << '\n';
}

void FeedWriter::WriteComment(std::string_view text) {
    // Each line of the text becomes a comment line of its own.
    while (true) {
        const std::size_t end = text.find_first_of("\r\n");
        m_out << "# " << text.substr(0, end) << '\n';
        if (end == std::string_view::npos)
            return;
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
}

bool FeedWriter::Write(const FeedRecord& record) {
    m_line.clear();
    if (!AppendRecord(m_line, record, &m_error))
        return false;
    m_line += '\n';
    m_out.write(m_line.data(), static_cast<std::streamsize>(m_line.size()));
    if (!m_out) {
        m_error = "the output stream failed";
        return false;
    }
    ++m_written;
    return true;
}

}  // namespace feed

#include "FeedWriter.h"

#include "FeedText.h"

namespace feed {
namespace {

class LineBuilder {
  public:
    explicit LineBuilder(std::string& out) : m_out(out) {}

    LineBuilder& Text(const CString& value) {
        Separate();
        text::AppendEscaped(m_out, value.str());
        return *this;
    }
    template <typename Number>
    LineBuilder& Num(Number value) {
        Separate();
        m_out += std::to_string(value);
        return *this;
    }
    LineBuilder& List(const std::vector<CString>& items) {
        Separate();
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0)
                m_out += text::kListSeparator;
            text::AppendEscaped(m_out, items[i].str(), true);
        }
        return *this;
    }

  private:
    void Separate() { m_out += text::kFieldSeparator; }
    std::string& m_out;
};

struct FieldWriter {
    LineBuilder& b;
    void operator()(const ServiceRecord& r) const {
        b.Num(r.service).Num(r.newsDate).Text(r.fullName).Text(r.shortName);
    }
    void operator()(const CategoryRecord& r) const { b.Num(r.service).Text(r.id).Text(r.name); }
    void operator()(const MarketRecord& r) const {
        b.Num(r.market).Text(r.exName).Text(r.fullName);
    }
    void operator()(const SectionRecord& r) const { b.Num(r.market).Text(r.id).Text(r.name); }
    void operator()(const CommodityRecord& r) const { b.Num(r.market).Text(r.id).Text(r.name); }
    void operator()(const ExchangeRecord& r) const {
        b.Num(r.market).Text(r.id).Text(r.fullName).Text(r.localName);
    }
    void operator()(const SymbolRecord& r) const {
        b.Num(r.market)
            .Text(r.id)
            .Text(r.name)
            .Text(r.commodityId)
            .Text(r.sectionId)
            .Text(r.exchangeId);
    }
    void operator()(const HeadlineRecord& r) const {
        b.Num(r.service)
            .Num(r.time)
            .Num(r.serial)
            .Text(r.categoryId)
            .List(r.symbols)
            .Num(r.reserved)
            .Num(r.deleted)
            .Text(r.title)
            .Text(r.story);
    }
    void operator()(const StoryRecord& r) const {
        b.Num(r.service).Num(r.time).Num(r.serial).Text(r.story);
    }
    void operator()(const NewsDayRecord& r) const { b.Num(r.service).Num(r.date); }
};

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
    std::visit(FieldWriter{builder}, record.payload);
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

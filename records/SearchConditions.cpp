#include "SearchConditions.h"

#include "ConditionText.h"

// The string forms (one line of printable UTF-8; see docs/backend.md):
//   CS1|scope|method|time|count|keyword...            a CSearch
//   CR1|market|symbol|scope|method|time|count|keyword...  a CRelationSearch
// Only the form GetString writes is accepted: a string that parses but is not
// written that way (leading zeros, needless escapes) counts as damaged.

namespace {

constexpr const char* kSearchTag = "CS1";
constexpr const char* kRelationTag = "CR1";

void writeSearch(condition_text::FieldWriter& out, const CSearch& search) {
    out.Number(search.byScope).Number(search.byMethod).Number(search.tSearch);
    out.Number(static_cast<std::int64_t>(search.vecKeyword.size()));
    for (const CString& keyword : search.vecKeyword)
        out.Text(keyword.str());
}

bool readSearch(condition_text::FieldReader& in, CSearch& search) {
    std::size_t count = 0;
    if (!in.Byte(search.byScope) || !in.Byte(search.byMethod) || !in.Int32(search.tSearch) ||
        !in.Count(count))
        return false;
    search.vecKeyword.clear();
    for (std::size_t i = 0; i < count; ++i) {
        std::string keyword;
        if (!in.Text(keyword))
            return false;
        search.vecKeyword.emplace_back(std::move(keyword));
    }
    return in.AtEnd();
}

bool readTag(condition_text::FieldReader& in, const char* expected) {
    std::string tag;
    return in.Text(tag) && tag == expected;
}

}  // namespace

void CSearch::GetString(CString& out) const {
    condition_text::FieldWriter writer(kSearchTag);
    writeSearch(writer, *this);
    out = CString(writer.Result());
}

bool CSearch::LoadString(const CString& text) {
    condition_text::FieldReader reader(text.str());
    CSearch loaded;
    if (!readTag(reader, kSearchTag) || !readSearch(reader, loaded))
        return false;
    CString canonical;
    loaded.GetString(canonical);
    if (canonical != text)
        return false;
    *this = std::move(loaded);
    return true;
}

void CRelationSearch::GetString(CString& out) const {
    condition_text::FieldWriter writer(kRelationTag);
    writer.Number(byMarket).Text(strSymbol.str());
    writeSearch(writer, search);
    out = CString(writer.Result());
}

bool CRelationSearch::LoadString(const CString& text) {
    condition_text::FieldReader reader(text.str());
    CRelationSearch loaded;
    std::string symbol;
    if (!readTag(reader, kRelationTag) || !reader.Byte(loaded.byMarket) || !reader.Text(symbol) ||
        !readSearch(reader, loaded.search))
        return false;
    loaded.strSymbol = CString(std::move(symbol));
    CString canonical;
    loaded.GetString(canonical);
    if (canonical != text)
        return false;
    *this = std::move(loaded);
    return true;
}

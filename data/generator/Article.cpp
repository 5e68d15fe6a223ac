#include "Article.h"

#include <algorithm>

#include "NameMaker.h"
#include "Words.h"

namespace kqgen {
namespace {

using Group = ArticleContext::Group;

Group GroupOf(const Industry& industry) {
    const int code = std::stoi(industry.id);
    if (code >= 14 && code <= 21)
        return Group::Tech;
    if (code == 25)
        return Group::Finance;
    if (code == 8)
        return Group::Biotech;
    return Group::Traditional;
}

// UTF-8 characters of a text, each as its bytes.
std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        out.push_back(text.substr(i, length));
        i += length;
    }
    return out;
}

}  // namespace

std::string J(std::initializer_list<std::string> parts) {
    std::size_t size = 0;
    for (const std::string& part : parts)
        size += part.size();
    std::string out;
    out.reserve(size);
    for (const std::string& part : parts)
        out += part;
    return out;
}

ArticleContext::ArticleContext(Random& random, const Catalog& catalog,
                               const std::vector<std::vector<std::uint64_t>>& cumulative,
                               const std::vector<std::vector<std::size_t>>& members,
                               std::int32_t date)
    : m_random(random),
      m_catalog(catalog),
      m_cumulative(cumulative),
      m_members(members),
      m_year(date / 10000),
      m_month(date / 100 % 100),
      m_day(date % 100) {}

const Company& ArticleContext::Co(Group group) {
    const auto g = static_cast<std::size_t>(group);
    const auto& cumulative = m_cumulative[g];
    const std::uint64_t r = m_random.Below(cumulative.back());
    const auto at = static_cast<std::size_t>(
        std::upper_bound(cumulative.begin(), cumulative.end(), r) - cumulative.begin());
    const Company& company = m_catalog.Companies()[m_members[g][at]];
    if (std::find(m_symbols.begin(), m_symbols.end(), company.id) == m_symbols.end()) {
        m_symbols.push_back(company.id);
        m_named.push_back(&company);
    }
    return company;
}

const Company& ArticleContext::Another(Group group) {
    for (int attempt = 0; attempt < 20; ++attempt) {
        const std::size_t before = m_named.size();
        const Company& company = Co(group);
        if (m_named.size() > before)
            return company;
    }
    return Co(Group::Any);
}

std::uint64_t ArticleContext::Variant(int kind, std::uint64_t count) {
    std::uint64_t variant = 0;
    for (int attempt = 0; attempt < 8; ++attempt) {
        variant = m_random.Below(count);
        const int key = kind * 1000 + static_cast<int>(variant);
        if (std::find(m_usedVariants.begin(), m_usedVariants.end(), key) == m_usedVariants.end()) {
            m_usedVariants.push_back(key);
            break;
        }
    }
    return variant;
}

std::string ArticleContext::Num(std::int64_t lo, std::int64_t hi) {
    return std::to_string(m_random.Range(lo, hi));
}

std::string ArticleContext::Dec(std::int64_t lo, std::int64_t hi, int places) {
    const std::int64_t value = m_random.Range(lo, hi);
    std::int64_t scale = 1;
    for (int i = 0; i < places; ++i)
        scale *= 10;
    std::string fraction = std::to_string(value % scale);
    fraction.insert(0, static_cast<std::size_t>(places) - fraction.size(), '0');
    return std::to_string(value / scale) + "." + fraction;
}

ArticleWriter::ArticleWriter(const Catalog& catalog)
    : m_catalog(catalog), m_members(5), m_cumulative(5) {
    const auto& companies = catalog.Companies();
    for (std::size_t i = 0; i < companies.size(); ++i) {
        const Group group =
            GroupOf(catalog.Industries()[static_cast<std::size_t>(companies[i].section)]);
        for (const Group g : {Group::Any, group}) {
            auto& members = m_members[static_cast<std::size_t>(g)];
            auto& cumulative = m_cumulative[static_cast<std::size_t>(g)];
            members.push_back(i);
            cumulative.push_back((cumulative.empty() ? 0 : cumulative.back()) +
                                 companies[i].weight);
        }
    }
}

Article ArticleWriter::Write(Random& random, const NewsService& service, std::int32_t date,
                             bool brief) const {
    ArticleContext ctx(random, m_catalog, m_cumulative, m_members, date);
    Article article;
    article.categoryId = random.Pick(service.categories).id;
    Lead lead = WriteLead(ctx, article.categoryId);
    article.title = std::move(lead.title);
    article.leadSymbols = ctx.Symbols().size();
    // The dateline names the service's own reporter, as wire stories do.
    article.paragraphs.push_back(
        J({"（", service.shortName, "記者", NameMaker::Person(random), random.Pick(words::Cities()),
           std::to_string(ctx.Day()), "日電）", lead.opening}));
    const int more =
        brief ? static_cast<int>(random.Below(2)) : static_cast<int>(random.Range(2, 4));
    for (int i = 0; i < more; ++i)
        article.paragraphs.push_back(WriteParagraph(ctx, article.categoryId));
    article.symbols = ctx.Symbols();
    return article;
}

std::string LayOutStory(Random& random, const NewsService& service,
                        const std::vector<std::string>& paragraphs) {
    const int width = static_cast<int>(random.Range(service.wrapMin, service.wrapMax));
    // Now and then the last paragraph ends without a marker, as some stories do.
    const bool markLast = random.Chance(800);
    std::string story;
    for (std::size_t p = 0; p < paragraphs.size(); ++p) {
        const auto characters = Characters(paragraphs[p]);
        for (std::size_t i = 0; i < characters.size(); ++i) {
            if (i > 0 && i % static_cast<std::size_t>(width) == 0)
                story += service.lineBreak;
            story += characters[i];
        }
        const bool last = p + 1 == paragraphs.size();
        if (!last || markLast)
            story += "@@@@";
        if (!last) {
            story += service.lineBreak;
            if (service.blankLineBetweenParagraphs)
                story += service.lineBreak;
        }
    }
    return story;
}

}  // namespace kqgen

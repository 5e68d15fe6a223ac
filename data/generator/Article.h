#pragma once
// One news item of the sample set: its category, title, the listed companies
// it names and its story, written in Traditional Chinese from the catalog.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "Catalog.h"
#include "Random.h"

namespace kqgen {

struct Article {
    int categoryId = 0;
    std::string title;
    std::vector<std::string> symbols;     // ids of the companies named, in order
    std::size_t leadSymbols = 0;          // how many of them the title and opening name
    std::vector<std::string> paragraphs;  // plain text, one paragraph each
};

// What the writers fill in: picks of companies (weighted by how often the
// news names them) and numbers, and the symbols named so far.
class ArticleContext {
  public:
    enum class Group { Any, Tech, Finance, Biotech, Traditional };

    ArticleContext(Random& random, const Catalog& catalog,
                   const std::vector<std::vector<std::uint64_t>>& cumulative,
                   const std::vector<std::vector<std::size_t>>& members, std::int32_t date);

    // A company, named in the title or story: its id joins the symbols.
    const Company& Co(Group group = Group::Any);
    // A company other than the ones named so far.
    const Company& Another(Group group = Group::Any);
    std::string Num(std::int64_t lo, std::int64_t hi);
    // A decimal with `places` places from lo/10^places to hi/10^places.
    std::string Dec(std::int64_t lo, std::int64_t hi, int places);
    const std::string& Pick(const std::vector<std::string>& items) { return m_random.Pick(items); }
    bool Coin() { return m_random.Below(2) == 0; }
    // One of `count` variants of a kind of sentence, preferring one the
    // article has not used yet, so a story does not repeat itself.
    std::uint64_t Variant(int kind, std::uint64_t count);
    Random& Rng() { return m_random; }

    int Month() const { return m_month; }
    int LastMonth() const { return m_month == 1 ? 12 : m_month - 1; }
    int Day() const { return m_day; }
    int Quarter() const { return (m_month - 1) / 3 + 1; }
    int Year() const { return m_year; }
    const Catalog& Data() const { return m_catalog; }
    std::vector<std::string>& Symbols() { return m_symbols; }
    const Company* Lead() const { return m_named.empty() ? nullptr : m_named.front(); }

  private:
    Random& m_random;
    const Catalog& m_catalog;
    const std::vector<std::vector<std::uint64_t>>& m_cumulative;
    const std::vector<std::vector<std::size_t>>& m_members;
    std::vector<std::string> m_symbols;
    std::vector<const Company*> m_named;
    std::vector<int> m_usedVariants;
    int m_year, m_month, m_day;
};

class ArticleWriter {
  public:
    explicit ArticleWriter(const Catalog& catalog);
    // brief: one or two paragraphs (the large benchmark set), else three to five.
    Article Write(Random& random, const NewsService& service, std::int32_t date, bool brief) const;

  private:
    const Catalog& m_catalog;
    // Per company group: members (indices into the catalog's companies) and
    // their cumulative weights, for quick weighted picks.
    std::vector<std::vector<std::size_t>> m_members;
    std::vector<std::vector<std::uint64_t>> m_cumulative;
};

// Joins the parts in order. The parts of a braced list are evaluated left to
// right, unlike the operands of a chain of "+", so the random draws inside
// them come in the same order with every compiler.
std::string J(std::initializer_list<std::string> parts);

// Title and opening paragraph of a category, written into the context.
struct Lead {
    std::string title;
    std::string opening;
};
Lead WriteLead(ArticleContext& ctx, int categoryId);
// Further paragraphs on the subject of the category.
std::string WriteParagraph(ArticleContext& ctx, int categoryId);

// The story as the service sends it: paragraphs cut into physical lines of a
// few dozen characters, "@@@@" where a paragraph ends.
std::string LayOutStory(Random& random, const NewsService& service,
                        const std::vector<std::string>& paragraphs);

}  // namespace kqgen

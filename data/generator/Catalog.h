#pragma once
// The reference data of the sample set: news services and their categories,
// markets with their sections, commodities and exchanges, and the symbols,
// among them about a thousand listed companies that the news talks about.
#include <cstdint>
#include <string>
#include <vector>

#include "Random.h"
#include "feed/FeedRecords.h"

namespace kqgen {

struct Category {
    int id = 0;
    std::string name;
};

struct NewsService {
    unsigned char byte = 0;
    std::string fullName;
    std::string shortName;
    unsigned share = 0;  // parts per hundred of the day's headlines
    std::vector<Category> categories;
    // How its stories are laid out.
    std::string lineBreak;  // "\r\n" or "\n"
    int wrapMin = 0;        // characters per physical line
    int wrapMax = 0;
    bool blankLineBetweenParagraphs = false;
};

struct Company {
    std::string id;  // four digits
    std::string name;
    int section = 0;      // index into the listed market's industry table
    unsigned weight = 0;  // how often the news names it
};

struct Industry {
    std::string id;
    std::string name;
    std::vector<std::string> suffixes;        // endings of company names
    std::vector<std::pair<int, int>> ranges;  // id ranges
    int count = 0;
    unsigned newsWeight = 0;
};

inline constexpr unsigned char kListedMarket = 16;

class Catalog {
  public:
    // Everything from the seed; the futures and options months follow the
    // last trading day.
    static Catalog Build(std::uint64_t seed, std::int32_t lastDay);

    const std::vector<NewsService>& Services() const { return m_services; }
    const NewsService& Service(unsigned char byte) const;
    const std::vector<Company>& Companies() const { return m_companies; }
    const std::vector<Industry>& Industries() const { return m_industries; }
    const std::vector<unsigned>& CompanyWeights() const { return m_companyWeights; }
    // Names of securities firms that issue warrants.
    const std::vector<std::string>& Brokers() const { return m_brokers; }

    // Services (with `newsDate` as their news day), categories, markets and
    // their parts, symbols: in that order.
    std::vector<feed::FeedRecord> ReferenceRecords(std::int32_t newsDate) const;

  private:
    std::vector<NewsService> m_services;
    std::vector<Industry> m_industries;
    std::vector<Company> m_companies;
    std::vector<unsigned> m_companyWeights;
    std::vector<std::string> m_brokers;
    std::vector<feed::FeedRecord> m_markets;  // markets, sections, commodities, exchanges, symbols
};

}  // namespace kqgen

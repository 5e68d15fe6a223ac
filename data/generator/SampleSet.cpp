#include "SampleSet.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>
#include <map>
#include <stdexcept>

#include "Article.h"
#include "Calendar.h"
#include "Catalog.h"
#include "DayPlan.h"
#include "feed/FeedWriter.h"

namespace kqgen {
namespace {

namespace fs = std::filesystem;
using feed::FeedRecord;
using feed::HeadlineRecord;

std::string DateText(std::int32_t date) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date / 10000, date / 100 % 100, date % 100);
    return text;
}

// Writes the records of the set and counts them.
class SampleFeed {
  public:
    SampleFeed(std::ostream& out, const GeneratorOptions& options, SampleSummary& summary)
        : m_writer(out),
          m_options(options),
          m_summary(summary),
          m_catalog(Catalog::Build(options.seed, options.endDate)),
          m_articles(m_catalog) {}

    void WriteAll(std::ostream* progress) {
        const auto& days = m_summary.days;
        m_writer.WriteHeader();
        m_writer.WriteComment("Sample news feed of the Taiwan market, written by kqgen (seed " +
                              std::to_string(m_options.seed) + "). Invented names only.");
        m_writer.WriteComment(
            "Trading days " + DateText(days.front()) + " to " + DateText(days.back()) +
            (m_options.large ? ", all history." : "; the last is recorded live (due times)."));
        const std::int32_t dayBefore = TradingDays(days.front(), 2).front();
        for (const FeedRecord& record : m_catalog.ReferenceRecords(dayBefore))
            Write(record);
        for (std::size_t d = 0; d < days.size(); ++d) {
            const bool live = !m_options.large && d + 1 == days.size();
            if (progress)
                *progress << "kqgen: day " << d + 1 << "/" << days.size() << " "
                          << DateText(days[d]) << (live ? " (live)" : "") << std::endl;
            WriteDay(days[d], live, progress);
        }
    }

  private:
    void Write(const FeedRecord& record) {
        if (!m_writer.Write(record))
            throw std::runtime_error(m_writer.LastError().str());
        ++m_summary.records;
        if (record.due)
            ++m_summary.liveRecords;
    }

    void WriteDay(std::int32_t date, bool live, std::ostream* progress) {
        m_writer.WriteComment(DateText(date) + (live ? " live" : " history"));
        std::int64_t second = 0;
        for (const NewsService& service : m_catalog.Services()) {
            const std::int64_t at = TaipeiTime(date, second++);
            Write(
                {live ? std::optional(at) : std::nullopt, feed::NewsDayRecord{service.byte, date}});
        }
        Random planRandom =
            Random::Stream(m_options.seed, "day plan", static_cast<std::uint64_t>(date));
        Random textRandom =
            Random::Stream(m_options.seed, "articles", static_cast<std::uint64_t>(date));
        const auto plan = PlanDay(planRandom, m_catalog, m_options.perDay);
        const std::size_t step = std::max<std::size_t>(plan.size() / 10, 1);
        for (std::size_t i = 0; i < plan.size(); ++i) {
            const PlannedHeadline& planned = plan[i];
            const NewsService& service = m_catalog.Service(planned.service);
            const Article article = m_articles.Write(textRandom, service, date, m_options.large);
            HeadlineRecord headline;
            headline.service = planned.service;
            headline.time = static_cast<std::int32_t>(TaipeiTime(date, planned.secondOfDay));
            headline.serial = planned.serial;
            headline.categoryId = std::to_string(article.categoryId);
            headline.title = article.title;
            // A few flashes come without a story, and name only what their title names.
            const bool flash = textRandom.Chance(20);
            const std::size_t named = flash ? article.leadSymbols : article.symbols.size();
            for (std::size_t s = 0; s < named; ++s)
                headline.symbols.emplace_back(article.symbols[s]);
            if (flash)
                headline.title = "《快訊》" + article.title;
            else
                headline.story = LayOutStory(textRandom, service, article.paragraphs);
            ++m_summary.headlines;
            if (live) {
                FlushResends(headline.time);
                Write({headline.time, headline});
                PlanResends(textRandom, service, headline, article);
            } else {
                SettleHistory(textRandom, headline);
                Write({std::nullopt, headline});
            }
            if (progress && m_options.large && (i + 1) % step == 0)
                *progress << "kqgen:   " << i + 1 << "/" << plan.size() << " headlines"
                          << std::endl;
        }
        FlushResends(std::numeric_limits<std::int64_t>::max());
    }

    // What later re-sends would have made of a history headline: withdrawn
    // ones keep their flag, corrected ones their new title.
    void SettleHistory(Random& random, HeadlineRecord& headline) {
        if (random.Chance(3))
            headline.deleted = 1;
        else if (random.Chance(4))
            headline.title = "【更正】" + headline.title.str();
    }

    // A live headline may be sent again later: corrected, withdrawn, or with
    // an updated story. Those records wait for their due time.
    void PlanResends(Random& random, const NewsService& service, const HeadlineRecord& headline,
                     const Article& article) {
        const std::int64_t endOfDay = TaipeiTime(TaipeiDate(headline.time), 86399);
        auto dueIn = [&](std::int64_t lo, std::int64_t hi) {
            return std::min(endOfDay, headline.time + random.Range(lo, hi));
        };
        const auto roll = random.Below(1000);
        if (roll < 4) {
            HeadlineRecord corrected = headline;
            corrected.title = "【更正】" + headline.title.str();
            Queue(dueIn(120, 1800), corrected);
        } else if (roll < 6) {
            HeadlineRecord withdrawn = headline;
            withdrawn.deleted = 1;
            Queue(dueIn(300, 3600), withdrawn);
        } else if (roll < 11 && !headline.story.IsEmpty()) {
            std::vector<std::string> paragraphs = article.paragraphs;
            paragraphs.push_back("【更新】" +
                                 std::string("本則新聞補充最新進度，相關數據以公司公告為準。"));
            Queue(dueIn(60, 1800),
                  feed::StoryRecord{headline.service, headline.time, headline.serial,
                                    LayOutStory(random, service, paragraphs)});
        }
    }

    void Queue(std::int64_t due, feed::FeedPayload payload) {
        m_resends.emplace(std::pair(due, m_resendCount++), FeedRecord{due, std::move(payload)});
    }

    void FlushResends(std::int64_t upTo) {
        while (!m_resends.empty() && m_resends.begin()->first.first <= upTo) {
            Write(m_resends.begin()->second);
            m_resends.erase(m_resends.begin());
        }
    }

    feed::FeedWriter m_writer;
    const GeneratorOptions& m_options;
    SampleSummary& m_summary;
    Catalog m_catalog;
    ArticleWriter m_articles;
    std::map<std::pair<std::int64_t, std::uint64_t>, FeedRecord> m_resends;
    std::uint64_t m_resendCount = 0;
};

}  // namespace

std::string SampleFileName(const GeneratorOptions& options) {
    return options.large ? "large.kqfeed" : "news.kqfeed";
}

std::optional<SampleSummary> WriteSample(const GeneratorOptions& options, std::ostream* progress,
                                         std::string* error) {
    SampleSummary summary;
    summary.days = TradingDays(options.endDate, options.days);
    std::error_code ec;
    fs::create_directories(options.outDir, ec);
    if (ec) {
        *error = "cannot create " + options.outDir + ": " + ec.message();
        return std::nullopt;
    }
    const fs::path final = fs::path(options.outDir) / SampleFileName(options);
    const fs::path partial = fs::path(final).concat(".partial");
    summary.path = final.string();
    try {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out)
            throw std::runtime_error(std::string("cannot write: ") + std::strerror(errno));
        SampleFeed(out, options, summary).WriteAll(progress);
        out.close();
        if (!out)
            throw std::runtime_error("writing failed (disk full?)");
        fs::rename(partial, final);
    } catch (const std::exception& e) {
        fs::remove(partial, ec);
        *error = final.string() + ": " + e.what();
        return std::nullopt;
    }
    summary.bytes = fs::file_size(final, ec);
    return summary;
}

}  // namespace kqgen

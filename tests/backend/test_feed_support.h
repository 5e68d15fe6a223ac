#pragma once
// Shared pieces of the feed tests: a FeedTarget that records every call as the
// feed record it stands for, and builders of sample records.
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "FeedTarget.h"
#include "feed/FeedFields.h"
#include "feed/FeedRecords.h"

struct PushedRecord {
    feed::FeedPayload payload;
    bool live = false;
    std::int64_t at = 0;  // the test's clock when the call came
};

class RecordingTarget final : public FeedTarget {
  public:
    std::vector<PushedRecord> calls;
    std::int64_t now = 0;  // set by the test before it drives a replay
    // The calls that carry no record, each with how many records came before it.
    std::vector<std::pair<std::string, std::size_t>> signals;

    void AddService(BYTE service, const CString& fullName, const CString& shortName,
                    std::int32_t newsDate) override {
        Add(feed::ServiceRecord{service, newsDate, fullName, shortName});
    }
    void AddCategory(BYTE service, const CString& id, const CString& name) override {
        Add(feed::CategoryRecord{service, id, name});
    }
    void AddMarket(BYTE market, const CString& fullName) override {
        Add(feed::MarketRecord{market, "", fullName});
    }
    void SetMarketExName(BYTE market, const CString& exName) override {
        // Arrives right after its market: completes that record.
        ASSERT_FALSE(calls.empty());
        auto* record = std::get_if<feed::MarketRecord>(&calls.back().payload);
        ASSERT_NE(record, nullptr);
        ASSERT_EQ(record->market, market);
        record->exName = exName;
    }
    void AddSection(BYTE market, const CString& id, const CString& name) override {
        Add(feed::SectionRecord{market, id, name});
    }
    void AddCommodity(BYTE market, const CString& id, const CString& name) override {
        Add(feed::CommodityRecord{market, id, name});
    }
    void AddExchange(BYTE market, const CString& id, const CString& fullName,
                     const CString& localName) override {
        Add(feed::ExchangeRecord{market, id, fullName, localName});
    }
    void AddSymbol(const FeedSymbol& symbol) override { Add(feed::FromFeedSymbol(symbol)); }
    void AddHeadline(const FeedHeadline& item, bool live) override {
        CString reason;
        auto record = feed::FromFeedHeadline(item, &reason);
        ASSERT_TRUE(record) << reason.c_str();
        Add(*record, live);
    }
    void AddStory(const CStory& story, bool live) override { Add(feed::FromStory(story), live); }
    void ChangeNewsDay(BYTE service, std::int32_t date, bool live) override {
        Add(feed::NewsDayRecord{service, date}, live);
    }

    void SetConnected(bool connected) override {
        signals.emplace_back(connected ? "connected" : "disconnected", calls.size());
    }
    void BeginBulk() override { signals.emplace_back("begin bulk", calls.size()); }
    void EndBulk() override { signals.emplace_back("end bulk", calls.size()); }

    std::vector<feed::FeedPayload> Payloads() const {
        std::vector<feed::FeedPayload> out;
        for (const auto& call : calls)
            out.push_back(call.payload);
        return out;
    }
    std::size_t LiveCount() const {
        std::size_t n = 0;
        for (const auto& call : calls)
            n += call.live ? 1 : 0;
        return n;
    }

  private:
    void Add(feed::FeedPayload payload, bool live = false) {
        calls.push_back(PushedRecord{std::move(payload), live, now});
    }
};

inline feed::HeadlineRecord SampleHeadline(std::uint32_t serial, std::int32_t time,
                                           const char* title = "晶昇科技法說會") {
    feed::HeadlineRecord h;
    h.service = '1';
    h.time = time;
    h.serial = serial;
    h.categoryId = "10";
    h.symbols = {"2330"};
    h.title = title;
    h.story = "第一段第一行\r\n第一段第二行@@@@\r\n第二段";
    return h;
}

inline feed::FeedRecord Timed(feed::FeedPayload payload, std::optional<std::int64_t> due) {
    return feed::FeedRecord{due, std::move(payload)};
}

// Values of their own for the field numbered `n` of a record: never the
// default, never another field's, sound for the field's meaning. Texts hold
// what the feed file and a script must escape.
inline void SetDistinct(BYTE& value, feed::Meaning meaning, int n) {
    value = static_cast<BYTE>(meaning == feed::Meaning::kFlag ? 200 + n : 40 + n);
}
inline void SetDistinct(std::int32_t& value, feed::Meaning meaning, int n) {
    value = meaning == feed::Meaning::kTime ? 1796346000 + n : 20261200 + n;  // dates: 2026-12-n
}
inline void SetDistinct(std::uint32_t& value, feed::Meaning, int n) {
    value = 4000000000u + static_cast<std::uint32_t>(n);
}
inline void SetDistinct(CString& value, feed::Meaning meaning, int n) {
    const bool category =
        meaning == feed::Meaning::kCategoryId || meaning == feed::Meaning::kCategoryIdOrNone;
    if (meaning == feed::Meaning::kExName) {
        value = "E" + std::to_string(n % 10);
        return;
    }
    value =
        category ? std::to_string(100 + n) : "欄" + std::to_string(n) + " \"a\\b\"\tc\r\nd\n@@@@";
}
inline void SetDistinct(std::vector<CString>& value, feed::Meaning, int n) {
    value = {CString("#" + std::to_string(n)), CString("23" + std::to_string(n) + "L")};
}

// A record with every field of its list set (SetDistinct): a field added to
// the list is covered at once.
template <class Record>
Record EveryFieldSet() {
    Record record;
    int n = 0;
    feed::ForEachField<Record>(
        [&](const auto& field) { SetDistinct(record.*field.member, field.meaning, ++n); });
    return record;
}

// One record of each kind with every field set, every other one with a due time.
inline std::vector<feed::FeedRecord> EveryKindEveryFieldSet() {
    std::vector<feed::FeedRecord> records;
    feed::ForEachKind([&](auto kind) {
        const bool timed = records.size() % 2 == 1;
        records.push_back(
            Timed(EveryFieldSet<typename decltype(kind)::type>(),
                  timed ? std::optional<std::int64_t>(1796346000 + records.size()) : std::nullopt));
    });
    return records;
}

#pragma once
// What the back-end tests share: a host context with a manual clock and an
// in-memory back-end installed, a sink that records every event, and (from
// the test support library) the builders of keys and feed items.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "CTime.h"
#include "Clock.h"
#include "HostContext.h"
#include "NewsApi.h"
#include "NewsBackend.h"
#include "NewsRecordBuilders.h"
#include "SymbolApi.h"
#include "events/NewsEventSink.h"

namespace backend_test {

using namespace news_test;

// Records each event as one line of text, in delivery order.
class RecordingSink : public NewsEventSink {
  public:
    std::vector<std::string> events;
    std::vector<CHeadline> headlines;
    std::vector<CHeadlineTableInfo> batches;
    std::vector<CSearch> searches;
    std::vector<std::vector<CHeadlineTable>> arrivals;
    // Runs after each event is recorded (to call back into the back-end).
    std::function<void()> onEvent;

    void OnNewHeadline(const CHeadline& h, const CString& categoryId,
                       const CString& symbols) override {
        headlines.push_back(h);
        add("headline " + KeyText(h.Key()) + " cat=" + categoryId.str() + " sym=" + symbols.str());
    }
    void OnMarketStatus(const CMarketStatus& status) override {
        add("status " + std::string(1, static_cast<char>(status.byGetService())) + " " +
            std::to_string(status.iGetDate()));
    }
    void OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) override { batch("day", info); }
    void OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) override {
        batch("category", info);
    }
    void OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) override {
        batch("symbol", info);
    }
    void OnSearchResult(const CSearch& condition, BYTE service) override {
        searches.push_back(condition);
        add("search " + std::string(1, static_cast<char>(service)) + " " +
            (condition.vecKeyword.empty() ? std::string() : condition.vecKeyword[0].str()));
    }
    void OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) override {
        arrivals.push_back(keys);
        std::string line = "arrived";
        for (const CHeadlineTable& key : keys)
            line += " " + KeyText(key);
        add(line);
    }
    void OnStoryArrived(const CHeadlineTable& key) override { add("story " + KeyText(key)); }
    void OnStoryUpdate(const CHeadlineTable& key) override { add("update " + KeyText(key)); }

  private:
    void batch(const char* kind, const CHeadlineTableInfo& info) {
        batches.push_back(info);
        add(std::string(kind) + " " + std::string(1, static_cast<char>(info.byService)) + " " +
            info.strKey.str() + " n=" + std::to_string(info.dwCount) +
            " flags=" + std::to_string(info.byFlags));
    }
    void add(std::string line) {
        events.push_back(std::move(line));
        if (onEvent)
            onEvent();
    }
};

// A test with a Taipei clock at 2024-03-08 10:00 and an empty in-memory
// back-end installed in the host context, its events going to `sink`.
class BackendTest : public ::testing::Test {
  protected:
    BackendTest() : clock(Taipei(2024, 3, 8, 10, 0, 0)), scope(context) {
        context.SetClock(&clock);
        context.SetPart<NewsBackend>(&backend);
        EXPECT_TRUE(backend.Open(":memory:")) << backend.Error();
        backend.SetEventSink(&sink);
    }

    // Two services with names and categories (one id shared under another name).
    void AddServices() {
        backend.AddService('1', "財經新聞", "財經", 20240308);
        backend.AddService('2', "產業新聞", "產業", 20240308);
        backend.AddService('4', "權證新聞", "權證", 20240308);
        backend.AddCategory('1', "1", "頭條");
        backend.AddCategory('1', "5", "股市");
        backend.AddCategory('2', "5", "產業動態");
        backend.AddCategory('2', "12", "科技");
        backend.AddCategory('4', "41", "權證快訊");
    }

    ManualClock clock;
    HostContext context;
    ScopedHostContext scope;
    NewsBackend backend;
    RecordingSink sink;
};

}  // namespace backend_test

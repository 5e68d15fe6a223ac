#pragma once
// What the news view tests share: a headless host with a manual clock, the
// shipped texts and colours, a system folder with the site files, an
// in-memory back-end whose events reach the views as the host forwards them,
// a layout host window, and views made by class name as a host makes them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "CTime.h"
#include "Clock.h"
#include "HostContext.h"
#include "NewsApi.h"
#include "NewsBackend.h"
#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"
#include "TempDir.h"
#include "events/NewsEventSink.h"
#include "framework/RuntimeClassRegistry.h"
#include "ui/WindowSystem.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace view_test {

inline std::int64_t Taipei(int year, int month, int day, int hour = 0, int minute = 0,
                           int second = 0) {
    setenv("TZ", "Asia/Taipei", 1);
    tzset();
    return CTime(year, month, day, hour, minute, second).GetTime();
}

// Fields of packed keys are read by value.
inline std::int32_t SerialOf(const CHeadlineTable& key) {
    return key.dwSerial;
}
inline std::int32_t TimeOf(const CHeadlineTable& key) {
    return key.tTime;
}
inline BYTE ServiceOf(const CHeadlineTable& key) {
    return key.byService;
}

inline CHeadlineTable Key(BYTE service, std::int64_t time, std::int32_t serial) {
    return CHeadlineTable{service, static_cast<std::int32_t>(time), serial};
}

inline FeedHeadline Item(BYTE service, std::int64_t time, std::uint32_t serial, const char* title,
                         const char* category = "1", std::vector<CString> symbols = {}) {
    FeedHeadline item;
    item.headline.byService = service;
    item.headline.tTime = static_cast<std::int32_t>(time);
    item.headline.dwSerial = serial;
    item.headline.strTitle = title;
    item.headline.dwCategoryID = static_cast<std::uint32_t>(std::atoi(category));
    item.categoryId = category;
    item.symbols = std::move(symbols);
    return item;
}

// Serials of a list, in list order.
inline std::vector<int> Serials(const std::vector<CHeadlineTable>& keys) {
    std::vector<int> out;
    for (const CHeadlineTable& key : keys)
        out.push_back(SerialOf(key));
    return out;
}

// Forwards the back-end's events to the views, as the host does.
class ViewSink : public NewsEventSink {
  public:
    std::vector<SKQBaseView*> views;

    void OnNewHeadline(const CHeadline& headline, const CString& categoryId,
                       const CString& symbols) override {
        for (SKQBaseView* view : views)
            view->RecvNewHeadLine(&headline, categoryId, symbols);
    }
    void OnMarketStatus(const CMarketStatus& status) override {
        for (SKQBaseView* view : views)
            view->vRecvNewMarketStatus(&status);
    }
    void OnAllHeadlineTableRecovery(const CHeadlineTableInfo& info) override {
        for (SKQBaseView* view : views)
            view->vRecvAllHeadlineTableRecovery(&info);
    }
    void OnCategoryHeadlineTableRecovery(const CHeadlineTableInfo& info) override {
        for (SKQBaseView* view : views)
            view->vRecvCatHeadlineTableRecovery(&info);
    }
    void OnSymbolHeadlineTableRecovery(const CHeadlineTableInfo& info) override {
        for (SKQBaseView* view : views)
            view->vRecvSymHeadlineTableRecovery(&info);
    }
    void OnSearchResult(const CSearch& condition, BYTE service) override {
        for (SKQBaseView* view : views)
            view->RespSearchHeadLineTable(condition, service);
    }
    void OnHeadlinesArrived(const std::vector<CHeadlineTable>& keys) override {
        for (SKQBaseView* view : views)
            view->RespHeadLine(keys);
    }
    void OnStoryArrived(const CHeadlineTable& key) override {
        for (SKQBaseView* view : views)
            view->RespStory(key);
    }
    void OnStoryUpdate(const CHeadlineTable& key) override {
        for (SKQBaseView* view : views)
            view->StoryUpdateNotify(&key);
    }
};

struct SiteOptions {
    int showNormalSearch = 1;
    int showWarningSearch = 1;
    std::string catIds = "1,2,3,4,5";
    std::string shortNames = "台股,國際,產業,財經,期貨";
};

// A host around the views of one test.
class ViewHost : public ::testing::Test {
  protected:
    static constexpr const char* kToday = "20240308";

    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    ManualClock clock{Taipei(2024, 3, 8, 10, 0, 0)};
    TempDir sys;
    NewsBackend backend;
    ViewSink sink;
    CWnd layout;
    int paintLayoutPosts = 0;
    std::vector<std::unique_ptr<SKQCfgIO2>> stores;

    const std::int64_t t0 = Taipei(2024, 3, 8, 9, 0, 0);

    ViewHost() {
        context.SetClock(&clock);
        context.OwnLanguage().Load(KQ_SOURCE_DIR "/data/lang", Language::TraditionalChinese);
        context.OwnServices().Colors().Load(KQ_SOURCE_DIR "/data/colors/light.ini");
        context.OwnServices().SetSysPath(sys.str().c_str());
        WriteSiteFiles(SiteOptions{});
        EXPECT_TRUE(backend.Open(":memory:"));
        context.SetPart<NewsBackend>(&backend);
        backend.SetEventSink(&sink);
        layout.GetMessageMap().OnRegistered(SKQNewsCtrlView::kDoPaintLayoutMessage,
                                            [this](WPARAM, LPARAM) {
                                                ++paintLayoutPosts;
                                                return LRESULT{0};
                                            });
        EXPECT_TRUE(layout.Create("", WS_VISIBLE, CRect(0, 0, 1000, 800), nullptr, 0));
    }
    ~ViewHost() override {
        backend.SetEventSink(nullptr);
        context.SetPart<NewsBackend>(nullptr);
    }

    void WriteSiteFiles(const SiteOptions& options) {
        sys.write(
            "Application.ini",
            "[NewsCtrlSearchView]\nShowNormalSearch=" + std::to_string(options.showNormalSearch) +
                "\nShowWarningSearch=" + std::to_string(options.showWarningSearch) + "\n");
        sys.write("NewsService.ini",
                  "[CONFIG]\nCatId=" + options.catIds + "\nSHORTNAME=" + options.shortNames + "\n");
    }

    // Two ordinary services and, when asked, the warrant service between them.
    void AddServices(bool warrant = false) {
        backend.AddService('1', "財經新聞", "財經", 20240308);
        if (warrant)
            backend.AddService('4', "權證新聞", "權證", 20240308);
        backend.AddService('2', "國際新聞", "國際", 20240308);
    }

    void AddHistory(BYTE service, int count, std::int64_t first, const char* category = "1") {
        for (int i = 0; i < count; ++i) {
            const CString title = CString::Formatted("%c 新聞 %d", service, i + 1);
            backend.AddHeadline(Item(service, first + i * 60, static_cast<std::uint32_t>(i + 1),
                                     title.c_str(), category),
                                false);
        }
    }

    SKQCfgIO2* NewStore() {
        stores.push_back(SKQCfgIO2::InMemory());
        return stores.back().get();
    }

    // Created in the layout host as the host creates its views.
    void Place(SKQNewsCtrlView& view, const CRect& rect) {
        EXPECT_TRUE(view.Create("", WS_CHILD | WS_VISIBLE, rect, &layout, 100));
        view.vSetLayoutWnd(&layout);
        sink.views.push_back(&view);
    }

    // Made by class name, as the host makes it.
    std::unique_ptr<SKQNewsCtrlView> MakeView(const CRect& rect = CRect(0, 0, 600, 400)) {
        const CRuntimeClass* cls = RuntimeClassRegistry::Find("SKQNewsCtrlView");
        EXPECT_NE(cls, nullptr);
        if (!cls)
            return nullptr;
        std::unique_ptr<SKQNewsCtrlView> view(dynamic_cast<SKQNewsCtrlView*>(cls->CreateObject()));
        EXPECT_NE(view, nullptr);
        if (view)
            Place(*view, rect);
        return view;
    }

    void Initialise(SKQNewsCtrlView& view, const CString& name = "新聞", SKQCfgIO2* cfg = nullptr) {
        view.OnInitialUpdate();
        view.InitialViewInfo(cfg ? cfg : NewStore(), name, 1, 2, "");
    }

    std::unique_ptr<SKQNewsCtrlView> OpenView(const CString& name = "新聞",
                                              SKQCfgIO2* cfg = nullptr,
                                              const CRect& rect = CRect(0, 0, 600, 400)) {
        auto view = MakeView(rect);
        if (view)
            Initialise(*view, name, cfg);
        return view;
    }

    void Forget(SKQNewsCtrlView* view) { std::erase(sink.views, static_cast<SKQBaseView*>(view)); }

    // Delivers due events and lets the deferred refill run.
    void Settle() {
        backend.Dispatch();
        ui.Advance(SKQNewsCtrlView::kUpdateDelay);
    }

    void Live(const FeedHeadline& item) {
        backend.AddHeadline(item, true);
        backend.Dispatch();
    }

    static CString Cell(CGridoraWnd* sheet, int row, int col) {
        CString text;
        sheet->vGetGridContent(row, col, text);
        return text;
    }

    static CWnd* Child(SKQNewsCtrlView& view, UINT id) {
        return view.GetDlgItem(static_cast<int>(id));
    }

    static bool Shown(SKQNewsCtrlView& view, UINT id) {
        CWnd* child = Child(view, id);
        return child && (child->GetStyle() & WS_VISIBLE) != 0;
    }

    static CXTPTabControl* Tabs(SKQNewsCtrlView& view) {
        return dynamic_cast<CXTPTabControl*>(Child(view, SKQNewsCtrlView::IDC_TAB_MODE));
    }

    static std::vector<int> TabModes(SKQNewsCtrlView& view) {
        std::vector<int> modes;
        if (CXTPTabControl* tabs = Tabs(view)) {
            for (int i = 0; i < tabs->GetItemCount(); ++i)
                modes.push_back(static_cast<int>(tabs->GetItem(i)->GetData()));
        }
        return modes;
    }

    // A person picks the tab of a mode.
    static void PickMode(SKQNewsCtrlView& view, int mode) {
        CXTPTabControl* tabs = Tabs(view);
        ASSERT_NE(tabs, nullptr);
        for (int i = 0; i < tabs->GetItemCount(); ++i) {
            if (static_cast<int>(tabs->GetItem(i)->GetData()) == mode) {
                tabs->UserSelect(i);
                return;
            }
        }
        FAIL() << "no tab for mode " << mode;
    }
};

}  // namespace view_test

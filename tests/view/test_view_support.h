#pragma once
// What the news view tests share: a headless host with a manual clock, the
// shipped texts and colours, a system folder with the site files, an
// in-memory back-end whose events reach the views through the host's own
// forwarding, a layout host window, and views made by class name as a host
// makes them.
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "CTime.h"
#include "Clock.h"
#include "HostContext.h"
#include "NewsApi.h"
#include "NewsBackend.h"
#include "NewsRecordBuilders.h"
#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"
#include "TempDir.h"
#include "app/events/ViewEventForwarder.h"
#include "events/NewsEventSink.h"
#include "framework/RuntimeClassRegistry.h"
#include "ui/WindowSystem.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/CEdit.h"
#include "ui/controls/CListBox.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace view_test {

using namespace news_test;

using Calls = std::vector<std::vector<BYTE>>;  // registration calls, as TakeRegistrations

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
    ViewEventForwarder sink;
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
        sink.AddRecipient(view);
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

    // A view of a test's own class, placed and set up as OpenView does.
    template <class V>
    std::unique_ptr<V> OpenAs(const CString& name = "新聞", SKQCfgIO2* cfg = nullptr) {
        auto view = std::make_unique<V>();
        Place(*view, CRect(0, 0, 600, 400));
        Initialise(*view, name, cfg);
        return view;
    }

    void Forget(SKQNewsCtrlView* view) { sink.RemoveRecipient(*view); }

    // Each registration call since the last look: added services, then
    // removed ones marked with 0x80.
    Calls TakeRegistrations() {
        Calls calls;
        const std::vector<SymbolRegistration>& all = context.OwnServices().Registrations();
        for (; seenRegistrations < all.size(); ++seenRegistrations) {
            std::vector<BYTE> services;
            for (const CSymbolInfo& info : all[seenRegistrations].added)
                services.push_back(info.m_byMarket);
            for (const CSymbolInfo& info : all[seenRegistrations].removed)
                services.push_back(static_cast<BYTE>(0x80 | info.m_byMarket));
            calls.push_back(services);
        }
        return calls;
    }
    std::size_t seenRegistrations = 0;

    // The texts of the message boxes the person was shown, in order.
    std::vector<CString> MessageTexts() {
        std::vector<CString> texts;
        for (const auto& request : ui.Script().Requests()) {
            if (request.kind == ScriptedUserServices::Kind::MessageBox)
                texts.push_back(request.text);
        }
        return texts;
    }

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

    static std::vector<int> ListSerials(const SKQNewsCtrlView& view, int mode) {
        return Serials(view.InspectList(mode));
    }

    // The title column of a mode's sheet, row by row.
    static std::vector<CString> Titles(SKQNewsCtrlView& view, int mode) {
        std::vector<CString> titles;
        CGridoraWnd* sheet = view.pInspectSheet(mode);
        for (int row = 0; sheet && row < sheet->iGetTotalRows(); ++row)
            titles.push_back(Cell(sheet, row, 2));
        return titles;
    }

    static CDateTimeCtrl& Picker(SKQNewsCtrlView& view) {
        return *dynamic_cast<CDateTimeCtrl*>(Child(view, SKQNewsCtrlView::IDC_NEWS_DATE));
    }
    static int PickerDay(SKQNewsCtrlView& view) {
        COleDateTime value;
        Picker(view).GetTime(value);
        return value.GetDateNumber();
    }

    // The tip popup's text while it is shown, else nothing.
    static CString TipText(SKQNewsCtrlView& view) {
        const CDlgTipMsg* tip = view.pInspectTipMsg();
        return tip && tip->IsWindowVisible() ? tip->GetText() : CString();
    }

    // The person chooses a service's item of the menu (command 5050 + index).
    static void Toggle(SKQNewsCtrlView& view, std::size_t index) {
        view.SendMessage(WM_COMMAND, MAKEWPARAM(SKQNewsCtrlView::ID_SERVICE_FIRST + index, 0), 0);
    }

    // A person types the keyword and presses the search button.
    static void Search(SKQNewsCtrlView& view, const CString& text) {
        auto* edit = dynamic_cast<CEdit*>(Child(view, SKQNewsCtrlView::IDC_KEYWORD));
        ASSERT_NE(edit, nullptr);
        edit->SetWindowText(text);
        view.SendMessage(WM_COMMAND, SKQNewsCtrlView::IDC_SEARCH, 0);
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

// What the category and symbol subsystems leave behind when the user has
// chosen a category and a symbol.
class ChoosingView : public SKQNewsCtrlView {
  public:
    // `refill`: as the combo's own change, which refills the category sheet.
    void ChooseCategory(const CString& id, bool refill = false) {
        m_vecCategoryID = {id};
        m_cbCategory.ResetContent();
        m_cbCategory.AddString("類別");
        m_cbCategory.SetCurSel(0);
        if (refill)
            OnSelchangeComboIndex();
    }
    // As the view's own symbol change: the symbol sheet takes the symbol.
    void ChooseSymbol(const CString& id) { ChangeSymbol(this, 0, 16, id, ""); }
};

// Search conditions and dialogs.
using Strings = std::vector<CString>;

inline CSearch Condition(Strings keywords, BYTE method = 1, BYTE scope = 0) {
    CSearch search;
    search.vecKeyword = std::move(keywords);
    search.byMethod = method;
    search.byScope = scope;
    return search;
}

// A dialog's control of a type, or an exception naming the id it lacks.
template <class T>
T& Control(CDialog& dialog, UINT id) {
    auto* control = dynamic_cast<T*>(dialog.GetDlgItem(static_cast<int>(id)));
    if (!control)
        throw std::runtime_error("no control " + std::to_string(id));
    return *control;
}

inline Strings Texts(const CListBox& list) {
    Strings texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetText(i));
    return texts;
}

}  // namespace view_test

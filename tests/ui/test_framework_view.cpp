// The host's base view: its own settings in the configuration store,
// entitlements, the title strip and its colours, the not-supported notice,
// link groups through the function menu, linked symbol changes, and what it
// asks of the layout host.
#include <gtest/gtest.h>

#include <algorithm>

#include "HostApi.h"
#include "HostContext.h"
#include "SKQCfgIO2.h"
#include "framework/SKQBaseView.h"
#include "ui/WindowSystem.h"
#include "ui/headless/HeadlessFrontEnd.h"

// A view as a module would write one, opening the base's state to the tests.
class ProbeView : public SKQBaseView {
    KQ_DECLARE_DYNCREATE(ProbeView)

  public:
    ProbeView() { m_strCaption = "新聞"; }
    void SetCaption(const CString& caption) { m_strCaption = caption; }
    void SetTitleShown(bool shown) { m_bShowTitleBar = shown; }
    void SetNotSupported(bool flag) { m_bNotSupportSymbol = flag; }
    void SetLinkMenu(bool offered) { m_bLinkMenu = offered; }
    void SetViewFont(CFont* font) { m_pViewFont = font; }

    void InitialViewInfo(SKQCfgIO2* cfg, const CString& name, const int& key1, const int& key2,
                         const CString& extra) override {
        initialCalls.push_back(extra);
        SKQBaseView::InitialViewInfo(cfg, name, key1, key2, extra);
    }
    std::vector<CString> initialCalls;
};
KQ_IMPLEMENT_DYNCREATE(ProbeView, SKQBaseView)

namespace {

constexpr COLORREF kTitleBk = RGB(0x2F, 0x4F, 0x7F);
constexpr COLORREF kTitleText = RGB(0xFF, 0xFF, 0xF0);
constexpr COLORREF kListBk = RGB(0xFA, 0xFA, 0xFA);
constexpr COLORREF kListText = RGB(0x10, 0x10, 0x10);
const CString kNotice = "查無此商品新聞";

class BaseViewTest : public ::testing::Test {
  protected:
    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    CWnd layout;
    std::unique_ptr<ProbeView> view;

    void SetUp() override {
        ColorScheme& colours = context.OwnServices().Colors();
        colours.Set("COLOR_VIEW_TITLEBK", kTitleBk);
        colours.Set("COLOR_VIEW_TITLETEXT", kTitleText);
        colours.Set("COLOR_LISTCTL_BACKGROUND", kListBk);
        colours.Set("COLOR_LISTCTL_NORMALTEXT", kListText);
        context.OwnLanguage().SetText("IDS_NEWSCTRLVIEW_STRING_SYMBOL_NEWS_NOT_FOUND", kNotice);
        context.OwnLanguage().SetText("IDS_BASEVIEW_STRING_LINK_NONE", "不連動");
        context.OwnLanguage().SetText("IDS_BASEVIEW_STRING_LINK_GROUP", "連動群組");
        ASSERT_TRUE(layout.Create("", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        view = std::make_unique<ProbeView>();
        ASSERT_TRUE(view->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 400, 300), &layout, 1));
        view->OnInitialUpdate();
    }

    std::vector<RecordingDC::Record> Recorded(RecordingDC::Op op, const RecordingDC& dc) {
        std::vector<RecordingDC::Record> out;
        for (const auto& record : dc.Records()) {
            if (record.op == op)
                out.push_back(record);
        }
        return out;
    }
};

TEST_F(BaseViewTest, TheLinkGroupIsSavedAndRestoredUnderTheClassKeyGiven) {
    auto cfg = SKQCfgIO2::InMemory();
    ASSERT_TRUE(view->bSetLink(3));
    ASSERT_TRUE(view->SaveViewBaseInfo("SKQNewsCtrlView", cfg.get(), "Desk", 1, 2));
    int stored = 0;
    EXPECT_TRUE(cfg->GetViewInfo("Desk", 1, 2, "SKQNewsCtrlView", "LinkGroup", stored));
    EXPECT_EQ(stored, 3);

    ProbeView restored;
    EXPECT_TRUE(restored.InitialViewBaseInfo("SKQNewsCtrlView", cfg.get(), "Desk", 1, 2));
    EXPECT_EQ(restored.byGetLink(), 3);

    ProbeView other;
    EXPECT_FALSE(other.InitialViewBaseInfo("SKQNewsCtrlView", cfg.get(), "Desk", 1, 9))
        << "another view's address holds nothing";
    EXPECT_FALSE(other.InitialViewBaseInfo("OtherClass", cfg.get(), "Desk", 1, 2));
    EXPECT_EQ(other.byGetLink(), 0);
    EXPECT_FALSE(other.InitialViewBaseInfo("SKQNewsCtrlView", nullptr, "Desk", 1, 2));
    EXPECT_FALSE(other.SaveViewBaseInfo("SKQNewsCtrlView", nullptr, "Desk", 1, 2));

    // A stored group out of range keeps the view unlinked.
    for (const int bad : {-1, SKQBaseView::kLinkGroupCount + 1, 300}) {
        ASSERT_TRUE(cfg->SaveViewInfo("Desk", 0, 0, "SKQNewsCtrlView", "LinkGroup", bad));
        EXPECT_FALSE(other.InitialViewBaseInfo("SKQNewsCtrlView", cfg.get(), "Desk", 0, 0));
        EXPECT_EQ(other.byGetLink(), 0) << bad;
    }
    EXPECT_FALSE(other.bSetLink(SKQBaseView::kLinkGroupCount + 1));
    EXPECT_EQ(other.byGetLink(), 0);
}

TEST_F(BaseViewTest, HostEntryPointsDefaultToTheBaseSettingsAndTheHostsFontAndEntitlements) {
    auto cfg = SKQCfgIO2::InMemory();
    view->bSetLink(2);
    view->SaveViewInfo(cfg.get(), "Desk", 4, 5);
    int stored = 0;
    EXPECT_TRUE(cfg->GetViewInfo("Desk", 4, 5, "ProbeView", "LinkGroup", stored));
    EXPECT_EQ(stored, 2);

    // The multi-view entry keeps the text and symbol, then goes through the
    // view's own InitialViewInfo with an empty fifth argument.
    ProbeView multi;
    CString text = "整合畫面";
    CSymbolInfo symbol(16, "2330");
    multi.vInitialMultiViewInfo(cfg.get(), "Desk", 4, 5, text, symbol);
    EXPECT_EQ(multi.initialCalls, std::vector<CString>{""});
    EXPECT_EQ(multi.GetMultiViewText(), "整合畫面");
    EXPECT_EQ(multi.GetSymbolInfo(), symbol);
    EXPECT_EQ(multi.byGetLink(), 2);

    BYTE market = 0;
    CString id = "unchanged";
    multi.GetCurrSymbolInfo(market, id);
    EXPECT_EQ(market, 16);
    EXPECT_EQ(id, "2330");
    BYTE noMarket = 99;
    CString noId = "unchanged";
    view->GetCurrSymbolInfo(noMarket, noId);
    EXPECT_EQ(noMarket, 99) << "a view without a symbol leaves the outputs";
    EXPECT_EQ(noId, "unchanged");

    // Initial update gives the view the host's font unless it has one.
    EXPECT_EQ(view->pGetViewFont(), SYS_GetCurrentFont(0));
    CFont own("Noto Sans CJK TC", 12);
    ProbeView chosen;
    chosen.SetViewFont(&own);
    chosen.OnInitialUpdate();
    EXPECT_EQ(chosen.pGetViewFont(), &own);

    // Entitlements follow the host.
    EXPECT_TRUE(view->bIsAuthService(16)) << "entitled to everything by default";
    context.OwnServices().SetAuthServices({1, 2});
    EXPECT_FALSE(view->bIsAuthService(16));
    EXPECT_TRUE(view->bIsAuthService(2));
    context.OwnServices().SetAuthService(16, true);
    EXPECT_TRUE(view->bIsAuthService(16));
    context.OwnServices().SetAuthService(2, false);
    EXPECT_FALSE(view->bIsAuthService(2));
    context.OwnServices().EntitleAllServices();
    EXPECT_TRUE(view->bIsAuthService(255));
}

TEST_F(BaseViewTest, TheTitleStripShowsTheNameInTheSchemesTitleColours) {
    CRect beforePaint;
    view->GetViewTitleRect(beforePaint, false);
    auto dc = ui.FrontEnd().Paint(*view);
    const auto fills = Recorded(RecordingDC::Op::Fill, *dc);
    ASSERT_FALSE(fills.empty());
    EXPECT_EQ(fills.front().rect, CRect(0, 0, 400, SKQBaseView::kDefaultTitleHeight));
    EXPECT_EQ(fills.front().colour, kTitleBk);

    const auto texts = Recorded(RecordingDC::Op::Text, *dc);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "新聞");
    EXPECT_EQ(texts[0].colour, kTitleText);
    EXPECT_EQ(texts[0].font, view->pfontGetTitleFont()->GetFaceName().str());
    EXPECT_TRUE(texts[0].format & DT_SINGLELINE);
    EXPECT_TRUE(texts[0].format & DT_NOPREFIX);

    // The name part of the title ends after the name, inside the strip.
    CRect name, strip;
    view->GetViewTitleRect(name, false);
    view->GetViewTitleRect(strip, true);
    EXPECT_EQ(strip, CRect(0, 0, 400, SKQBaseView::kDefaultTitleHeight));
    EXPECT_EQ(name.left, 0);
    EXPECT_EQ(name.top, 0);
    EXPECT_EQ(name.bottom, strip.bottom);
    EXPECT_GE(name.right, texts[0].rect.right);
    EXPECT_LT(name.right, strip.right);
    EXPECT_TRUE(Recorded(RecordingDC::Op::Frame, *dc).empty()) << "no link icon when unlinked";
    EXPECT_EQ(dc->GetCurrentFont(), nullptr) << "the device context is left as it was";
    EXPECT_EQ(beforePaint, name) << "the name part is known before the first paint";

    view->SetCaption("新聞 - 全部");
    CRect longer;
    view->GetViewTitleRect(longer, false);
    EXPECT_GT(longer.right, name.right) << "a longer caption takes more of the strip";
    view->SetCaption("");
    CRect empty;
    view->GetViewTitleRect(empty, false);
    EXPECT_LT(empty.right, name.right);

    view->vSetTitleBarShown(false);
    EXPECT_TRUE(ui.FrontEnd().Paint(*view)->Records().empty()) << "no title bar, no strip";
}

TEST_F(BaseViewTest, AColourSchemeChangeOrAResizeRepaintsTheTitle) {
    context.OwnServices().Colors().Set("COLOR_VIEW_TITLEBK", RGB(1, 2, 3));
    context.OwnServices().Colors().Set("COLOR_VIEW_TITLETEXT", RGB(4, 5, 6));
    ui.FrontEnd().Paint(*view);
    EXPECT_FALSE(ui.FrontEnd().IsInvalid(*view));
    view->vChangeCast();
    EXPECT_TRUE(ui.FrontEnd().IsInvalid(*view));
    auto dc = ui.FrontEnd().Paint(*view);
    EXPECT_EQ(Recorded(RecordingDC::Op::Fill, *dc).front().colour, RGB(1, 2, 3));
    EXPECT_EQ(Recorded(RecordingDC::Op::Text, *dc).front().colour, RGB(4, 5, 6));
    EXPECT_EQ(view->crGetTitleText(), RGB(4, 5, 6));

    // Resizing repaints the title across the new width.
    view->MoveWindow(CRect(0, 0, 500, 300), false);
    EXPECT_TRUE(ui.FrontEnd().IsInvalid(*view));
    dc = ui.FrontEnd().Paint(*view);
    EXPECT_EQ(Recorded(RecordingDC::Op::Fill, *dc).front().rect,
              CRect(0, 0, 500, SKQBaseView::kDefaultTitleHeight));
}

TEST_F(BaseViewTest, TheLinkIconShowsTheGroupAtTheRightEnd) {
    ASSERT_TRUE(view->bSetLink(2));
    EXPECT_TRUE(ui.FrontEnd().IsInvalid(*view)) << "the icon changed";
    auto dc = ui.FrontEnd().Paint(*view);
    const auto frames = Recorded(RecordingDC::Op::Frame, *dc);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].colour, kTitleText);
    EXPECT_LE(frames[0].rect.right, 400);
    EXPECT_GT(frames[0].rect.left, 400 - SKQBaseView::kDefaultTitleHeight);
    EXPECT_GE(frames[0].rect.top, 0);
    EXPECT_LE(frames[0].rect.bottom, SKQBaseView::kDefaultTitleHeight);
    EXPECT_EQ(dc->Texts(), (std::vector<CString>{"新聞", "2"}));
}

TEST_F(BaseViewTest, TheNoticeReplacesTheTitleWhileTheSymbolIsNotSupported) {
    view->SetNotSupported(true);
    auto dc = ui.FrontEnd().Paint(*view);
    const auto texts = Recorded(RecordingDC::Op::Text, *dc);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "新聞") << "the title stays above the notice";
    EXPECT_EQ(texts[1].text, kNotice);
    EXPECT_EQ(texts[1].colour, kListText);
    EXPECT_EQ(texts[1].rect, CRect(0, SKQBaseView::kDefaultTitleHeight, 400, 300));
    EXPECT_TRUE(texts[1].format & DT_CENTER);
    const auto fills = Recorded(RecordingDC::Op::Fill, *dc);
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[1].rect, CRect(0, SKQBaseView::kDefaultTitleHeight, 400, 300));
    EXPECT_EQ(fills[1].colour, kListBk);

    view->SetTitleShown(false);
    dc = ui.FrontEnd().Paint(*view);
    EXPECT_EQ(dc->Texts(), std::vector<CString>{kNotice});
    EXPECT_EQ(Recorded(RecordingDC::Op::Fill, *dc).front().rect, CRect(0, 0, 400, 300))
        << "without a title the notice takes the whole view";

    view->SetNotSupported(false);
    view->SetTitleShown(true);
    dc = ui.FrontEnd().Paint(*view);
    EXPECT_EQ(dc->Texts(), std::vector<CString>{"新聞"});
}

TEST_F(BaseViewTest, TheFunctionMenuOffersTheLinkGroupsAndItsCommandsJoinThem) {
    CMenu menu;
    menu.CreatePopupMenu();
    ASSERT_TRUE(view->bInsertMainFuctionMenu(menu));
    ASSERT_EQ(menu.GetMenuItemCount(), SKQBaseView::kLinkGroupCount + 1);
    EXPECT_EQ(menu.GetMenuString(0, MF_BYPOSITION), "不連動");
    EXPECT_EQ(menu.GetMenuString(3, MF_BYPOSITION), "連動群組 3");
    EXPECT_EQ(menu.GetMenuState(SKQBaseView::kLinkCommandFirst) & MF_CHECKED, MF_CHECKED);

    // The layout host owns the menu and routes the chosen command to the view.
    view->SendMessage(WM_COMMAND, SKQBaseView::kLinkCommandFirst + 4);
    EXPECT_EQ(view->byGetLink(), 4);
    CMenu again;
    again.CreatePopupMenu();
    view->bInsertMainFuctionMenu(again);
    for (int g = 0; g <= SKQBaseView::kLinkGroupCount; ++g) {
        const bool checked = again.GetMenuState(SKQBaseView::kLinkCommandFirst + g) & MF_CHECKED;
        EXPECT_EQ(checked, g == 4) << g;
    }
    view->SendMessage(WM_COMMAND, SKQBaseView::kLinkCommandFirst);
    EXPECT_EQ(view->byGetLink(), 0) << "no link";

    view->SetLinkMenu(false);
    CMenu none;
    none.CreatePopupMenu();
    EXPECT_FALSE(view->bInsertMainFuctionMenu(none));
    EXPECT_EQ(none.GetMenuItemCount(), 0);
}

TEST_F(BaseViewTest, LinkedChangesReachOnlyViewsOfTheSameGroup) {
    ProbeView sender;
    view->ChangeSymbol(&sender, 0, 16, "2330", "");
    EXPECT_EQ(view->GetSymbolInfo().m_strSymbol, "") << "an unlinked view takes no change";
    view->ChangeSymbol(view.get(), 0, 16, "2317", "");
    EXPECT_EQ(view->GetSymbolInfo().m_strSymbol, "2317") << "its own change always";

    view->bSetLink(2);
    view->ChangeSymbol(&sender, 3, 16, "2454", "");
    EXPECT_EQ(view->GetSymbolInfo().m_strSymbol, "2317") << "another group's change";
    view->ChangeSymbol(&sender, 2, 16, "2454", "");
    EXPECT_EQ(view->GetSymbolInfo(), CSymbolInfo(16, "2454"));
    EXPECT_TRUE(view->bAcceptLinkedChange(&sender, 2));
    EXPECT_FALSE(view->bAcceptLinkedChange(&sender, 0));
}

TEST_F(BaseViewTest, DoubleClickingTheTitleAsksTheLayoutHostToMaximise) {
    std::vector<WPARAM> asked;
    layout.GetMessageMap().OnRegistered(SKQBaseView::kToggleMaximizeMessage,
                                        [&](WPARAM wParam, LPARAM) -> LRESULT {
                                            asked.push_back(wParam);
                                            return 0;
                                        });
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 10));
    ui.Pump();
    EXPECT_TRUE(asked.empty()) << "no layout host set yet";

    view->vSetLayoutWnd(&layout);
    EXPECT_EQ(view->pGetLayoutWnd(), &layout);
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 10));
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(50, 150));
    ui.Pump();
    EXPECT_EQ(asked, std::vector<WPARAM>{static_cast<WPARAM>(view->GetSafeHwnd())})
        << "only the title strip asks";

    // A layout host that is gone is not reached.
    CWnd host;
    ASSERT_TRUE(host.Create("", WS_VISIBLE, CRect(0, 0, 100, 100), nullptr, 0));
    view->vSetLayoutWnd(&host);
    host.DestroyWindow();
    EXPECT_EQ(view->pGetLayoutWnd(), nullptr);
    view->SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(ui.Pump(), 0) << "nothing posted to a window that is gone";
}

}  // namespace

// The tab strip: its items and their data, the selection from code and from a
// person (only a person's choice is told to the parent), hit testing and the
// layout of the tabs, child pages, and what the front end is told.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <vector>

#include "HostContext.h"
#include "ui/headless/HeadlessFrontEnd.h"
#include "ui/tab/CXTPTabControl.h"

namespace {

constexpr UINT kTabId = 3100;

class TabStripTest : public ::testing::Test {
  protected:
    struct Notification {
        UINT id;
        UINT code;
        HWND from;
        int selectionSeen;  // the strip's selection when the parent heard of it
    };

    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    CWnd parent;
    CXTPTabControl tabs;
    std::vector<Notification> notes;
    std::function<void()> onNote;  // what the parent does on hearing

    void SetUp() override {
        ASSERT_TRUE(parent.Create("", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        parent.GetMessageMap().On(WM_NOTIFY, [this](WPARAM, LPARAM lParam) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            notes.push_back({header->idFrom, header->code, header->hwndFrom, tabs.GetCurSel()});
            if (onNote)
                onNote();
            return LRESULT{0};
        });
        ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                CRect(0, 0, 400, 22), &parent, kTabId));
    }

    // Tabs with their mode numbers as data, the way a view fills its strip.
    void addModes(std::initializer_list<std::pair<const char*, int>> modes) {
        for (const auto& [caption, mode] : modes) {
            CXTPTabManagerItem* item = tabs.InsertItem(tabs.GetItemCount(), caption, nullptr);
            ASSERT_NE(item, nullptr);
            item->SetData(static_cast<DWORD_PTR>(mode));
        }
    }

    std::vector<CString> captions() const {
        std::vector<CString> result;
        for (int i = 0; i < tabs.GetItemCount(); ++i)
            result.push_back(tabs.GetItem(i)->GetCaption());
        return result;
    }

    void click(CPoint point) {
        tabs.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    }
};

TEST_F(TabStripTest, ItemsKeepTheirOrderCaptionsDataAndStrip) {
    addModes({{"ALL", 0}, {"SYMBOL", 2}, {"WARRANT", 5}});
    // Inserted in the middle, and past both ends.
    tabs.InsertItem(1, "CATEGORY")->SetData(1);
    tabs.InsertItem(99, "LAST")->SetData(7);
    tabs.InsertItem(-1, "LAST2")->SetData(8);
    EXPECT_EQ(captions(),
              (std::vector<CString>{"ALL", "CATEGORY", "SYMBOL", "WARRANT", "LAST", "LAST2"}));
    std::vector<DWORD_PTR> data;
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        data.push_back(tabs.GetItem(i)->GetData());
        EXPECT_EQ(tabs.GetItem(i)->GetIndex(), i);
        EXPECT_EQ(tabs.GetItem(i)->GetTabManager(), &tabs);
        EXPECT_EQ(tabs.GetItem(i)->GetImageIndex(), -1);
    }
    EXPECT_EQ(data, (std::vector<DWORD_PTR>{0, 1, 2, 5, 7, 8}));
    EXPECT_EQ(tabs.GetItem(6), nullptr);
    EXPECT_EQ(tabs.GetItem(-1), nullptr);

    EXPECT_TRUE(tabs.DeleteItem(4));
    EXPECT_FALSE(tabs.DeleteItem(9));
    EXPECT_EQ(tabs.GetItemCount(), 5);
    EXPECT_EQ(tabs.GetItem(4)->GetCaption(), "LAST2");
    tabs.DeleteAllItems();
    EXPECT_EQ(tabs.GetItemCount(), 0);
    EXPECT_EQ(tabs.GetCurSel(), -1);

    // An adopted item joins only one strip.
    auto* own = new CXTPTabManagerItem;
    ASSERT_EQ(tabs.InsertItem(0, "MINE", nullptr, 4, own), own);
    EXPECT_EQ(own->GetCaption(), "MINE");
    EXPECT_EQ(own->GetImageIndex(), 4);
    CXTPTabControl other;
    // Already in a strip: refused, still owned by the first.
    EXPECT_EQ(other.InsertItem(0, "AGAIN", nullptr, -1, own), nullptr);
    EXPECT_EQ(other.GetItemCount(), 0);
    EXPECT_EQ(own->GetTabManager(), &tabs);
}

TEST_F(TabStripTest, SelectionFromCodeFollowsItsTabAndTellsNobody) {
    EXPECT_EQ(tabs.GetCurSel(), -1);
    addModes({{"A", 0}, {"B", 1}, {"C", 2}, {"D", 3}});
    EXPECT_EQ(tabs.GetCurSel(), 0) << "the first tab of an empty strip is selected";

    EXPECT_EQ(tabs.SetCurSel(2), 0) << "returns the previous selection";
    EXPECT_EQ(tabs.GetCurSel(), 2);
    EXPECT_TRUE(tabs.GetItem(2)->IsSelected());
    EXPECT_EQ(tabs.SetCurSel(4), -1);
    EXPECT_EQ(tabs.SetCurSel(-1), -1);
    EXPECT_EQ(tabs.GetCurSel(), 2);

    // Inserting before the selected tab keeps the same tab selected.
    tabs.InsertItem(0, "Z");
    EXPECT_EQ(tabs.GetCurSel(), 3);
    EXPECT_EQ(tabs.GetSelectedItem()->GetCaption(), "C");
    // Deleting a tab before it, and then the selected one itself.
    tabs.DeleteItem(0);
    EXPECT_EQ(tabs.GetSelectedItem()->GetCaption(), "C");
    tabs.DeleteItem(2);
    EXPECT_EQ(tabs.GetSelectedItem()->GetCaption(), "D") << "the tab taking its place";
    tabs.DeleteItem(2);
    EXPECT_EQ(tabs.GetSelectedItem()->GetCaption(), "B") << "the new last tab";

    tabs.GetItem(0)->Select();
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_TRUE(notes.empty()) << "selection from code sends no notification";
}

TEST_F(TabStripTest, APersonsChoiceSelectsFirstAndThenNotifiesTheParent) {
    addModes({{"ALL", 0}, {"CATEGORY", 1}, {"SYMBOL", 2}});
    EXPECT_TRUE(tabs.UserSelect(2));
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].id, kTabId);
    EXPECT_EQ(notes[0].code, TCN_SELCHANGE);
    EXPECT_EQ(notes[0].from, tabs.GetSafeHwnd());
    EXPECT_EQ(notes[0].selectionSeen, 2) << "the parent reads the new selection";
    EXPECT_EQ(tabs.GetItem(tabs.GetCurSel())->GetData(), 2u);

    // The tab already selected, or none at all: nothing happens.
    EXPECT_FALSE(tabs.UserSelect(2));
    EXPECT_FALSE(tabs.UserSelect(3));
    EXPECT_FALSE(tabs.UserSelect(-1));
    EXPECT_EQ(notes.size(), 1u);
}

TEST_F(TabStripTest, TabsLieSideBySideAsWideAsTheirCaptions) {
    addModes({{"ALL", 0}, {"NEWS", 1}, {"新聞", 2}});
    tabs.SetCurSel(1);
    // Captions measured at 12 pixels: ASCII 6 wide, CJK 12, plus 8 each side.
    EXPECT_EQ(tabs.GetItem(0)->GetRect(), CRect(2, 2, 36, 22));
    EXPECT_EQ(tabs.GetItem(1)->GetRect(), CRect(36, 0, 76, 22)) << "the selected tab stands higher";
    EXPECT_EQ(tabs.GetItem(2)->GetRect(), CRect(76, 2, 116, 22));

    EXPECT_EQ(tabs.HitTest(CPoint(2, 10)), tabs.GetItem(0));
    EXPECT_EQ(tabs.HitTest(CPoint(35, 21)), tabs.GetItem(0));
    EXPECT_EQ(tabs.HitTest(CPoint(36, 0)), tabs.GetItem(1));
    EXPECT_EQ(tabs.HitTest(CPoint(115, 10)), tabs.GetItem(2));
    EXPECT_EQ(tabs.HitTest(CPoint(1, 10)), nullptr) << "the margin";
    EXPECT_EQ(tabs.HitTest(CPoint(10, 0)), nullptr) << "above a lower tab";
    EXPECT_EQ(tabs.HitTest(CPoint(116, 10)), nullptr) << "past the last tab";
}

TEST_F(TabStripTest, ClicksAndKeysArePersonsChoicesThatTheParentMayActOn) {
    addModes({{"ALL", 0}, {"NEWS", 1}, {"新聞", 2}});
    click(CPoint(90, 10));
    EXPECT_EQ(tabs.GetCurSel(), 2);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_EQ(notes[0].selectionSeen, 2);

    click(CPoint(90, 10));   // the selected tab again
    click(CPoint(300, 10));  // no tab there
    EXPECT_EQ(notes.size(), 1u);

    tabs.SendMessage(WM_KEYDOWN, VK_RIGHT, 1);  // already the last
    EXPECT_EQ(notes.size(), 1u);
    tabs.SendMessage(WM_KEYDOWN, VK_LEFT, 1);
    EXPECT_EQ(tabs.GetCurSel(), 1);
    tabs.SendMessage(WM_KEYDOWN, VK_HOME, 1);
    EXPECT_EQ(tabs.GetCurSel(), 0);
    tabs.SendMessage(WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(tabs.GetCurSel(), 2);
    ASSERT_EQ(notes.size(), 4u);
    EXPECT_EQ(notes[3].selectionSeen, 2);

    // The parent may rebuild or close the strip while hearing of a choice.
    addModes({{"ALL", 0}, {"NEWS", 1}});
    onNote = [this] {
        tabs.DeleteAllItems();
        tabs.InsertItem(0, "ONLY")->SetData(9);
    };
    click(tabs.GetItem(1)->GetRect().CenterPoint());
    ASSERT_EQ(tabs.GetItemCount(), 1);
    EXPECT_EQ(tabs.GetSelectedItem()->GetData(), 9u);

    addModes({{"NEXT", 1}});
    onNote = [this] { tabs.DestroyWindow(); };
    tabs.SendMessage(WM_KEYDOWN, VK_RIGHT, 1);
    EXPECT_FALSE(tabs.IsWindow());
}

TEST_F(TabStripTest, ANarrowStripSqueezesEveryTabIn) {
    addModes({{"全部新聞", 0}, {"分類新聞", 1}, {"個股新聞", 2}, {"權證新聞", 5}});
    tabs.MoveWindow(CRect(0, 0, 120, 22));
    int x = CXTPTabPaintManager::kMargin;
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        const CRect rect = tabs.GetItem(i)->GetRect();
        EXPECT_EQ(rect.left, x) << i;
        EXPECT_GT(rect.Width(), 20) << i;
        x = rect.right;
        // Every tab can still be clicked.
        click(CPoint(rect.CenterPoint().x, 10));
        EXPECT_EQ(tabs.GetCurSel(), i);
    }
    EXPECT_EQ(x, 120 - CXTPTabPaintManager::kMargin);
    // Drawn with an ellipsis where a caption does not fit.
    auto dc = ui.FrontEnd().Paint(tabs);
    int texts = 0;
    for (const auto& record : dc->Records()) {
        if (record.op != RecordingDC::Op::Text)
            continue;
        ++texts;
        EXPECT_NE(record.format & DT_END_ELLIPSIS, 0u);
    }
    EXPECT_EQ(texts, 4);
}

TEST_F(TabStripTest, TheCaptionFontSetsTheTabWidths) {
    addModes({{"ALL", 0}, {"NEWS", 1}});
    LOGFONT large;
    large.lfHeight = -20;
    std::snprintf(large.lfFaceName, sizeof large.lfFaceName, "%s", "Noto Sans CJK TC");
    tabs.GetPaintManager()->SetFontIndirect(&large, false);
    EXPECT_EQ(tabs.GetItem(0)->GetRect().Width(), 3 * 10 + 16);
    EXPECT_EQ(tabs.GetCaptionFont()->GetLogFont().lfHeight, -20);

    // The standard font is the host's normal font, whatever it is at the time.
    context.OwnServices().SetFont(0, CFont("Noto Sans CJK TC", 6));  // 8 pixels
    tabs.GetPaintManager()->SetFontIndirect(&large, true);
    EXPECT_EQ(tabs.GetItem(0)->GetRect().Width(), 3 * 4 + 16);

    // Without a font of its own the strip uses its window's font.
    CXTPTabControl plain;
    ASSERT_TRUE(plain.Create(WS_CHILD | WS_VISIBLE, CRect(0, 30, 400, 52), &parent, 3101));
    CFont windowFont("Noto Sans CJK TC", 12);  // 16 pixels
    plain.SetFont(&windowFont);
    plain.InsertItem(0, "ALL");
    EXPECT_EQ(plain.GetItem(0)->GetRect().Width(), 3 * 8 + 16);
}

TEST_F(TabStripTest, TheSelectedTabsPageIsTheOneShown) {
    CWnd pageA, pageB, pageC;
    for (CWnd* page : {&pageA, &pageB, &pageC}) {
        ASSERT_TRUE(page->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 22, 400, 300), &parent, 0));
    }
    tabs.InsertItem(0, "A", &pageA);
    tabs.InsertItem(1, "B", &pageB);
    tabs.InsertItem(2, "NONE");  // a tab without a page
    tabs.InsertItem(3, "C", &pageC);
    EXPECT_EQ(tabs.GetItem(1)->GetHandle(), pageB.GetSafeHwnd());
    EXPECT_TRUE(pageA.IsWindowVisible());

    tabs.SetCurSel(1);
    EXPECT_FALSE(pageA.IsWindowVisible());
    EXPECT_TRUE(pageB.IsWindowVisible());
    tabs.UserSelect(3);
    EXPECT_FALSE(pageB.IsWindowVisible());
    EXPECT_TRUE(pageC.IsWindowVisible());

    // A page destroyed meanwhile is simply skipped.
    pageA.DestroyWindow();
    tabs.SetCurSel(0);
    EXPECT_FALSE(pageC.IsWindowVisible());
    tabs.SetCurSel(2);
    EXPECT_FALSE(pageB.IsWindowVisible());
    EXPECT_FALSE(pageC.IsWindowVisible());
}

TEST_F(TabStripTest, TheFrontEndHearsOfEveryChange) {
    const auto contentChanges = [&] {
        int count = 0;
        for (const auto& change : ui.FrontEnd().Changes()) {
            if (change.window == tabs.GetSafeHwnd() && change.change == WindowChange::Content)
                ++count;
        }
        ui.FrontEnd().ClearChanges();
        return count;
    };
    contentChanges();
    addModes({{"A", 0}});
    EXPECT_GE(contentChanges(), 1) << "an item";
    addModes({{"B", 1}});
    tabs.SetCurSel(1);
    EXPECT_GE(contentChanges(), 1) << "the selection";
    tabs.GetItem(0)->SetCaption("AA");
    EXPECT_EQ(contentChanges(), 1) << "a caption";
    tabs.GetItem(0)->SetCaption("AA");
    EXPECT_EQ(contentChanges(), 0) << "the same caption again";
    tabs.GetItem(0)->SetData(42);
    EXPECT_EQ(contentChanges(), 0) << "item data is not shown";
    tabs.GetPaintManager()->SetAppearance(tabAppearancePropertyPage);
    EXPECT_EQ(contentChanges(), 1) << "the look";
    EXPECT_TRUE(ui.FrontEnd().IsInvalid(tabs));
}

}  // namespace

// List boxes (sorted, single and extended selection) and report-style list
// views (columns, rows, selection and the notifications of changes).
#include "test_controls_support.h"

namespace {

class ListBoxTest : public ControlTest {
  protected:
    CListBox list;
    void Make(DWORD style) {
        ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | style, At(0, 200), &parent, 2007));
    }
};

TEST_F(ListBoxTest, ASortedListKeepsItsItemsInOrderWhateverTheOrderOfAdding) {
    Make(LBS_SORT);
    for (const char* keyword : {"台積電", "apple", "Bank", "2330", "鴻海", "APPLE"})
        list.AddString(keyword);
    std::vector<CString> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetText(i));
    EXPECT_EQ(texts, (std::vector<CString>{"2330", "apple", "APPLE", "Bank", "台積電", "鴻海"}));
    EXPECT_EQ(list.SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("b")), 3);
    EXPECT_EQ(list.SendMessage(LB_GETCOUNT), list.GetCount());
    EXPECT_EQ(list.FindStringExact(-1, "BANK"), 4);
    EXPECT_EQ(list.FindString(-1, "台"), 5);
    EXPECT_EQ(list.InsertString(0, "zz"), 0) << "InsertString never sorts";
    const int appended = list.InsertString(-1, "aa");
    EXPECT_EQ(appended, list.GetCount() - 1);
    EXPECT_EQ(list.InsertString(99, "x"), LB_ERR);
}

TEST_F(ListBoxTest, SingleSelectionKeepsOneItemAndAPersonsClickNotifies) {
    Make(LBS_SORT);
    for (const char* keyword : {"c", "a", "b"})
        list.AddString(keyword);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SetCurSel(1), 1);
    EXPECT_TRUE(notices.empty()) << "code's selection sends nothing";
    EXPECT_EQ(list.GetSelCount(), LB_ERR) << "a count of selections belongs to lists of several";

    EXPECT_TRUE(list.Click(2));
    EXPECT_EQ(list.GetCurSel(), 2);
    EXPECT_EQ(list.GetSel(1), 0);
    EXPECT_TRUE(list.DoubleClick(2));
    EXPECT_EQ(notices,
              (std::vector<Notice>{Command(2007, LBN_SELCHANGE), Command(2007, LBN_DBLCLK)}))
        << "the second click changes nothing, the double click is told";

    list.InsertString(0, "first");
    EXPECT_EQ(list.GetCurSel(), 3) << "the selection stays with its item";
    list.DeleteString(3);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_FALSE(list.Click(9));
}

TEST_F(ListBoxTest, ExtendedSelectionTakesControlAndShiftClicks) {
    Make(LBS_EXTENDEDSEL);
    for (const char* symbol : {"[TW]2330", "[TW]2317", "[TW]2454", "[TW]2303", "[TW]1101"})
        list.AddString(symbol);
    list.Click(1);
    list.Click(3, MK_SHIFT);
    EXPECT_EQ(list.GetSelItems(), (std::vector<int>{1, 2, 3}));
    list.Click(2, MK_CONTROL);
    EXPECT_EQ(list.GetSelItems(), (std::vector<int>{1, 3}));
    list.Click(0);
    EXPECT_EQ(list.GetSelItems(), std::vector<int>{0});
    EXPECT_EQ(notices.size(), 4u);

    EXPECT_EQ(list.SetSel(-1, true), 0);
    EXPECT_EQ(list.GetSelCount(), 5);
    int out[3] = {};
    EXPECT_EQ(list.GetSelItems(3, out), 3);
    EXPECT_EQ(out[2], 2);
    EXPECT_EQ(list.SetCurSel(0), LB_ERR)
        << "a list of several selections has no single current selection";
    EXPECT_EQ(list.GetCurSel(), 0) << "it answers with the item that has the focus";
    EXPECT_EQ(list.SendMessage(LB_GETSELCOUNT), 5);
    list.SendMessage(LB_SETSEL, 0, 4);
    EXPECT_EQ(list.GetSel(4), 0);
}

class ListViewTest : public ControlTest {
  protected:
    CListCtrl view;
    void Make(DWORD style = 0) {
        ASSERT_TRUE(view.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | style, CRect(0, 0, 400, 100),
                                &parent, 2029));
        view.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
        view.InsertColumn(0, "範圍", LVCFMT_LEFT, 72);
        view.InsertColumn(1, "方式", LVCFMT_CENTER, 72);
        view.InsertColumn(2, "內容", LVCFMT_LEFT, 128);
    }
    void AddRows(int count) {
        for (int i = 0; i < count; ++i) {
            const int row =
                view.InsertItem(view.GetItemCount(), CString::Formatted("%d", i + 1).c_str());
            view.SetItemText(row, 1, "AND");
            view.SetItemText(row, 2, CString::Formatted("kw%d", i + 1).c_str());
        }
    }
};

TEST_F(ListViewTest, ColumnsAndRowsHoldTheirTexts) {
    Make();
    EXPECT_EQ(view.GetExtendedStyle(),
              LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    ASSERT_EQ(view.GetColumnCount(), 3);
    EXPECT_EQ(view.GetColumn(1)->format, LVCFMT_CENTER);
    EXPECT_EQ(view.GetColumnWidth(2), 128);
    AddRows(3);
    EXPECT_EQ(view.GetItemCount(), 3);
    EXPECT_EQ(view.GetItemText(1, 2), "kw2");
    EXPECT_EQ(view.InsertItem(0, "0"), 0);
    EXPECT_EQ(view.GetItemText(1, 0), "1");
    EXPECT_EQ(view.InsertItem(99, "last"), 4) << "past the end is at the end";
    EXPECT_FALSE(view.SetItemText(0, 3, "no such column"));
    EXPECT_EQ(view.GetItemText(9, 0), "");

    EXPECT_TRUE(view.DeleteColumn(1));
    EXPECT_EQ(view.GetItemText(2, 1), "kw2") << "the texts move with their columns";
    EXPECT_EQ(view.InsertColumn(1, "方式", LVCFMT_CENTER, -1), 1);
    EXPECT_EQ(view.GetItemText(2, 2), "kw2");
    EXPECT_GT(view.GetColumnWidth(1), 0) << "a width of -1 fits the header";

    EXPECT_TRUE(view.DeleteItem(0));
    EXPECT_EQ(view.GetItemText(0, 0), "1");
    EXPECT_TRUE(view.DeleteAllItems());
    EXPECT_EQ(view.GetItemCount(), 0);
    EXPECT_TRUE(notices.empty());
}

TEST_F(ListViewTest, SelectingFromCodeOrByAPersonReportsEveryRowThatChanged) {
    Make(LVS_SINGLESEL);
    AddRows(3);
    view.SetItemData(2, 77);
    EXPECT_TRUE(view.SetItemState(0, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED));
    ASSERT_EQ(itemChanges.size(), 1u);
    EXPECT_EQ(itemChanges[0].iItem, 0);
    EXPECT_EQ(itemChanges[0].uOldState, 0u);
    EXPECT_EQ(itemChanges[0].uNewState, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(view.GetSelectionMark(), 0);

    itemChanges.clear();
    int selectedDuringFirstNotice = -2;
    onNotice = [&](const Notice& notice) {
        if (notice == Notify(2029, LVN_ITEMCHANGED) && itemChanges.size() == 1) {
            selectedDuringFirstNotice = view.GetNextItem(-1, LVNI_SELECTED);
        }
    };
    EXPECT_TRUE(view.Click(2));
    ASSERT_EQ(itemChanges.size(), 2u);
    EXPECT_EQ(itemChanges[0].iItem, 0) << "the row losing the selection is told first";
    EXPECT_EQ(itemChanges[0].uNewState, 0u);
    EXPECT_EQ(selectedDuringFirstNotice, -1)
        << "a single-selection list never shows two selected rows";
    EXPECT_EQ(itemChanges[1].iItem, 2);
    EXPECT_EQ(itemChanges[1].uNewState, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(itemChanges[1].lParam, 77);
    ASSERT_EQ(activations.size(), 1u);
    EXPECT_EQ(activations[0].iItem, 2);
    EXPECT_EQ(view.GetSelectionMark(), 2);

    itemChanges.clear();
    view.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(view.GetSelectedCount(), 1u)
        << "selecting a row of a single-selection list deselects the other";
    EXPECT_EQ(view.GetItemState(2, LVIS_FOCUSED), LVIS_FOCUSED) << "the focus is not the selection";
    view.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);
    EXPECT_EQ(itemChanges.size(), 2u) << "no change, no notice";

    activations.clear();
    EXPECT_TRUE(view.DoubleClick(0));
    ASSERT_EQ(activations.size(), 2u);
    EXPECT_EQ(activations[1].hdr.code, NM_DBLCLK);
    EXPECT_EQ(view.GetNextItem(-1, LVNI_SELECTED), 0);

    EXPECT_TRUE(view.Click(-1)) << "a click below the rows";
    EXPECT_EQ(view.GetSelectedCount(), 0u);

    // A handler that empties the list ends the notices.
    view.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    onNotice = [&](const Notice& notice) {
        if (notice == Notify(2029, LVN_ITEMCHANGED))
            view.DeleteAllItems();
    };
    EXPECT_TRUE(view.Click(2));
    EXPECT_EQ(view.GetItemCount(), 0);
}

TEST_F(ListViewTest, SelectedRowsAreFoundByPositionsAndByNextItemAndScrolledIntoView) {
    Make();
    AddRows(5);
    view.Click(1);
    view.Click(3, MK_CONTROL);
    view.Click(4, MK_CONTROL);
    std::vector<int> selected;
    for (POSITION pos = view.GetFirstSelectedItemPosition(); pos;)
        selected.push_back(view.GetNextSelectedItem(pos));
    EXPECT_EQ(selected, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(view.GetNextItem(1, LVNI_SELECTED), 3);
    EXPECT_EQ(view.GetNextItem(-1, LVNI_FOCUSED), 4);
    EXPECT_EQ(view.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 4);

    view.Click(2, MK_SHIFT);
    EXPECT_EQ(view.GetSelectedCount(), 3u) << "a Shift-click selects from the mark (4) to the row";
    EXPECT_EQ(view.GetItemState(1, LVIS_SELECTED), 0u);

    view.DeleteItem(3);
    EXPECT_EQ(view.GetSelectionMark(), 3) << "the mark moves with its row";
    view.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(view.GetFirstSelectedItemPosition(), nullptr);

    // EnsureVisible scrolls a row into the page.
    AddRows(20 - view.GetItemCount());
    ASSERT_EQ(view.GetCountPerPage(), 5) << "100 pixels: a header and five rows";
    EXPECT_TRUE(view.EnsureVisible(12));
    EXPECT_EQ(view.GetTopIndex(), 8);
    EXPECT_TRUE(view.EnsureVisible(10));
    EXPECT_EQ(view.GetTopIndex(), 8) << "already shown";
    EXPECT_TRUE(view.EnsureVisible(2));
    EXPECT_EQ(view.GetTopIndex(), 2);
    EXPECT_FALSE(view.EnsureVisible(20));
}

}  // namespace

// Combo boxes: items and selection by member functions and by messages, the
// prefix search, the notifications of a person's actions and their order,
// the edit field and auto-completion.
#include <algorithm>

#include "test_controls_support.h"

namespace {

class ComboTest : public ControlTest {
  protected:
    CComboBox combo;
    void Make(DWORD style) {
        ASSERT_TRUE(
            combo.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | style, At(0, 200), &parent, 3004));
    }
    void AddSymbols() {
        for (const char* text : {"2330  台積電", "2317  鴻海", "ABC", "abd", "台灣50  元大台灣50"})
            combo.AddString(text);
    }
};

TEST_F(ComboTest, MessagesGiveTheSameResultsAsTheMemberFunctions) {
    Make(CBS_DROPDOWNLIST);
    CComboBox byMessage;
    ASSERT_TRUE(
        byMessage.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, At(40, 200), &parent, 3005));
    auto text = [](const char* value) { return reinterpret_cast<LPARAM>(value); };

    for (const char* item : {"電子", "金融", "Ａ傳產"}) {
        EXPECT_EQ(byMessage.SendMessage(CB_ADDSTRING, 0, text(item)), combo.AddString(item));
    }
    EXPECT_EQ(byMessage.SendMessage(CB_INSERTSTRING, 1, text("航運")),
              combo.InsertString(1, "航運"));
    EXPECT_EQ(byMessage.SendMessage(CB_INSERTSTRING, 9, text("x")), combo.InsertString(9, "x"));
    EXPECT_EQ(byMessage.SendMessage(CB_GETCOUNT), combo.GetCount());
    EXPECT_EQ(byMessage.SendMessage(CB_SETCURSEL, 2), combo.SetCurSel(2));
    EXPECT_EQ(byMessage.SendMessage(CB_GETCURSEL), combo.GetCurSel());
    EXPECT_EQ(byMessage.SendMessage(CB_FINDSTRING, static_cast<WPARAM>(-1), text("金")),
              combo.FindString(-1, "金"));
    EXPECT_EQ(byMessage.SendMessage(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text("航運")),
              combo.FindStringExact(-1, "航運"));
    EXPECT_EQ(byMessage.SendMessage(CB_DELETESTRING, 0), combo.DeleteString(0));
    EXPECT_EQ(byMessage.SendMessage(CB_DELETESTRING, 7), combo.DeleteString(7));
    EXPECT_EQ(byMessage.SendMessage(CB_SETITEMDATA, 1, 42), combo.SetItemData(1, 42));
    EXPECT_EQ(byMessage.SendMessage(CB_GETITEMDATA, 1), static_cast<LRESULT>(combo.GetItemData(1)));
    for (int i = 0; i < combo.GetCount(); ++i) {
        CString viaMessage;
        EXPECT_EQ(byMessage.SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(i),
                                        reinterpret_cast<LPARAM>(&viaMessage)),
                  combo.GetLBTextLen(i));
        EXPECT_EQ(viaMessage, combo.GetLBText(i));
    }
    EXPECT_EQ(byMessage.GetCurSel(), 1) << "the selection follows its item when one before it goes";
    EXPECT_EQ(byMessage.GetWindowText(), "金融");
    EXPECT_EQ(byMessage.SendMessage(CB_SETCURSEL, static_cast<WPARAM>(-1)), CB_ERR);
    EXPECT_EQ(byMessage.GetWindowText(), "");
    byMessage.SendMessage(CB_RESETCONTENT);
    EXPECT_EQ(byMessage.GetCount(), 0);
    EXPECT_TRUE(notices.empty()) << "changes from code send nothing";
}

TEST_F(ComboTest, PrefixSearchStartsAfterTheStartItemIgnoresCaseAndFindsChinese) {
    Make(CBS_DROPDOWNLIST);
    EXPECT_EQ(combo.FindString(-1, "2330"), CB_ERR) << "an empty list finds nothing";
    AddSymbols();
    EXPECT_EQ(combo.FindString(-1, "ab"), 2) << "from the top, without regard to case";
    EXPECT_EQ(combo.FindString(2, "ab"), 3);
    EXPECT_EQ(combo.FindString(3, "ab"), 2) << "the search wraps round to the top";
    EXPECT_EQ(combo.FindString(-1, "2330"), 0);
    EXPECT_EQ(combo.FindString(-1, "台灣"), 4);
    EXPECT_EQ(combo.FindString(-1, "2330  台"), 0);
    EXPECT_EQ(combo.FindString(-1, "台積電"), CB_ERR) << "a prefix, not a part";
    EXPECT_EQ(combo.FindStringExact(-1, "abc"), 2);
    EXPECT_EQ(combo.FindStringExact(-1, "ab"), CB_ERR);
    EXPECT_EQ(combo.SelectString(-1, "2317"), 1);
    EXPECT_EQ(combo.GetWindowText(), "2317  鴻海");
    EXPECT_EQ(combo.SelectString(-1, "9999"), CB_ERR);
    EXPECT_EQ(combo.GetCurSel(), 1) << "a failed selection keeps the selection";
}

TEST_F(ComboTest, OnlyASortedComboSortsAndTheUpperCaseStyleFoldsItems) {
    Make(CBS_DROPDOWNLIST | CBS_SORT | CBS_UPPERCASE);
    EXPECT_EQ(combo.AddString("tsmc"), 0);
    EXPECT_EQ(combo.AddString("2330"), 0);
    EXPECT_EQ(combo.AddString("Acer"), 1);
    EXPECT_EQ(combo.AddString("台積電"), 3);
    EXPECT_EQ(combo.GetLBText(1), "ACER");
    EXPECT_EQ(combo.GetLBText(2), "TSMC");
    EXPECT_EQ(combo.InsertString(0, "zzz"), 0) << "an inserted item goes where it is told";

    CComboBox unsorted;
    ASSERT_TRUE(
        unsorted.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, At(40, 200), &parent, 3005));
    unsorted.AddString("b");
    EXPECT_EQ(unsorted.AddString("a"), 1);
}

TEST_F(ComboTest, TheSelectionFollowsItsItemAndTheItemsTheWindow) {
    Make(CBS_DROPDOWNLIST);
    AddSymbols();
    combo.SetCurSel(1);
    combo.InsertString(0, "0050  元大台灣50");
    EXPECT_EQ(combo.GetCurSel(), 2);
    combo.DeleteString(0);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(combo.DeleteString(1), 4);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.GetWindowText(), "") << "a drop-down list shows nothing without a selection";
    EXPECT_EQ(combo.SetCurSel(9), CB_ERR);
    EXPECT_EQ(combo.GetLBText(9), "");
    EXPECT_EQ(combo.GetLBTextLen(9), CB_ERR);
    EXPECT_GT(ChangesOf(combo, WindowChange::Content), 0);

    // Items live as long as the window.
    EXPECT_EQ(CComboBox().AddString("x"), CB_ERR) << "no window, no items";
    AddSymbols();
    combo.SetCurSel(2);
    combo.DropDown();
    combo.DestroyWindow();
    Make(CBS_DROPDOWNLIST);
    EXPECT_EQ(combo.GetCount(), 0);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_FALSE(combo.GetDroppedState());
}

TEST_F(ComboTest, APersonsChoiceNotifiesDropDownSelChangeAndCloseUpInOrder) {
    Make(CBS_DROPDOWNLIST);
    AddSymbols();
    int selectionAtCloseUp = -2;
    onNotice = [&](const Notice& notice) {
        if (notice == Command(3004, CBN_CLOSEUP))
            selectionAtCloseUp = combo.GetCurSel();
    };

    EXPECT_TRUE(combo.DropDown());
    EXPECT_TRUE(combo.GetDroppedState());
    EXPECT_TRUE(combo.UserSelect(1));
    EXPECT_FALSE(combo.GetDroppedState());
    EXPECT_EQ(selectionAtCloseUp, 1) << "the choice is made before the list closes";
    EXPECT_EQ(notices,
              (std::vector<Notice>{Command(3004, CBN_DROPDOWN), Command(3004, CBN_SELCHANGE),
                                   Command(3004, CBN_CLOSEUP)}));

    notices.clear();
    EXPECT_TRUE(combo.UserSelect(1));
    EXPECT_EQ(notices,
              (std::vector<Notice>{Command(3004, CBN_DROPDOWN), Command(3004, CBN_CLOSEUP)}))
        << "choosing the item already chosen changes no selection";

    notices.clear();
    EXPECT_FALSE(combo.CloseUp()) << "the list is not open";
    combo.DropDown();
    combo.CloseUp();
    EXPECT_EQ(notices,
              (std::vector<Notice>{Command(3004, CBN_DROPDOWN), Command(3004, CBN_CLOSEUP)}));

    notices.clear();
    combo.SetCurSel(3);
    EXPECT_FALSE(combo.UserSelect(7));
    EXPECT_TRUE(notices.empty()) << "code's selection sends nothing; a bad index does nothing";

    combo.EnableWindow(false);
    EXPECT_FALSE(combo.DropDown());
    EXPECT_FALSE(combo.UserSelect(0));
    EXPECT_TRUE(notices.empty());
}

TEST_F(ComboTest, TypingIntoTheEditFieldNotifiesAndLeavesNoItemSelected) {
    Make(CBS_DROPDOWN | CBS_UPPERCASE);
    AddSymbols();
    combo.SetCurSel(0);
    EXPECT_EQ(combo.GetWindowText(), "2330  台積電");
    EXPECT_EQ(combo.GetEditSel(), static_cast<DWORD>(MAKELPARAM(0, 9)))
        << "a chosen item's text is selected";

    EXPECT_EQ(combo.TypeText("ab"), 2);
    EXPECT_EQ(combo.GetWindowText(), "AB");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(notices,
              (std::vector<Notice>{Command(3004, CBN_EDITUPDATE), Command(3004, CBN_EDITCHANGE),
                                   Command(3004, CBN_EDITUPDATE), Command(3004, CBN_EDITCHANGE)}));

    combo.SetWindowText("2317  鴻海");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "setting the text does not choose an item";
    combo.SetCurSel(1);
    combo.SetWindowText("something else");
    EXPECT_EQ(combo.GetCurSel(), CB_ERR) << "the field no longer shows the item";

    CComboBox list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, At(40, 200), &parent, 3005));
    list.AddString("Alpha");
    list.AddString("Beta");
    list.SetWindowText("beta");
    EXPECT_EQ(list.GetCurSel(), 1) << "a drop-down list's text is the item equal to it";
    notices.clear();
    EXPECT_EQ(list.TypeText("a"), 1);
    EXPECT_EQ(list.GetCurSel(), 0)
        << "a key on a drop-down list jumps to the next item starting with it";
    EXPECT_EQ(notices, std::vector<Notice>{Command(3005, CBN_SELCHANGE)});
}

TEST_F(ComboTest, AutoCompletionIsOffUntilSwitchedOnThenCompletesWhatIsTyped) {
    CComboBoxAutoComplete symbols;
    ASSERT_TRUE(symbols.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_UPPERCASE, At(0, 200),
                               &parent, 3005));
    for (const char* text : {"2330  台積電", "2317  鴻海", "ABC  測試"})
        symbols.AddString(text);

    symbols.TypeText("23");
    EXPECT_EQ(symbols.GetWindowText(), "23");
    EXPECT_EQ(symbols.GetCurSel(), CB_ERR);

    symbols.SetAutoComplete(true);
    symbols.SetWindowText("");
    symbols.TypeText("23");
    EXPECT_EQ(symbols.GetWindowText(), "2330  台積電");
    EXPECT_EQ(symbols.GetCurSel(), 0);
    EXPECT_EQ(symbols.GetEditSel(), static_cast<DWORD>(MAKELPARAM(2, 9)))
        << "the completed tail stays selected";

    symbols.TypeText("1");
    EXPECT_EQ(symbols.GetWindowText(), "2317  鴻海")
        << "the next character replaces the completed tail";
    EXPECT_EQ(symbols.GetCurSel(), 1);

    symbols.TypeText("\b");
    EXPECT_EQ(symbols.GetWindowText(), "231") << "deleting does not complete";
    EXPECT_EQ(symbols.GetCurSel(), CB_ERR);
    symbols.TypeText("9");
    EXPECT_EQ(symbols.GetWindowText(), "2319");
    EXPECT_EQ(symbols.GetCurSel(), CB_ERR);

    symbols.SetWindowText("");
    symbols.TypeText("ab");
    EXPECT_EQ(symbols.GetWindowText(), "ABC  測試") << "typed lower case finds upper-case items";
    EXPECT_EQ(symbols.GetCurSel(), 2);

    symbols.SetWindowText("");
    symbols.TypeText("鴻");
    EXPECT_EQ(symbols.GetWindowText(), "2317  鴻海") << "a part of a name finds its item";
    EXPECT_EQ(symbols.GetCurSel(), 1);
    EXPECT_EQ(symbols.GetEditSel(), static_cast<DWORD>(MAKELPARAM(7, 8)))
        << "what follows the typed part stays selected";
    symbols.TypeText("海");
    EXPECT_EQ(symbols.GetWindowText(), "2317  鴻海") << "typing on keeps the item";
    EXPECT_EQ(symbols.GetCurSel(), 1);
    const auto selChanges =
        std::count(notices.begin(), notices.end(), Command(3005, CBN_SELCHANGE));
    EXPECT_EQ(selChanges, 0) << "completion selects as code does";
}

}  // namespace

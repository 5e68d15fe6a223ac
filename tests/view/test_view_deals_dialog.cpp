// The advanced keyword search dialog as a person uses it from the view:
// entering keywords and their refusals, composing a condition, the stored
// conditions, and what the view takes back after OK or Cancel.
#include "DealsSearchDlg.h"
#include "NewsViewInspection.h"
#include "test_view_support.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CEdit.h"
#include "ui/tab/CXTTipWindow.h"

namespace {

using namespace view_test;
using Kind = ScriptedUserServices::Kind;

class DialogProbe : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::m_search;
    using SKQNewsCtrlView::m_vecKeywordHistory;
    using SKQNewsCtrlView::m_vecSearchItem;
};

class DealsDialog : public ViewHost {
  protected:
    DealsDialog() {
        AddServices();
        backend.AddHeadline(Item('1', t0, 1, "台積電營收創新高"), false);
        backend.AddHeadline(Item('1', t0 + 60, 2, "聯電法說會"), false);
    }

    std::unique_ptr<DialogProbe> Open() {
        auto view = OpenAs<DialogProbe>();
        PickMode(*view, 3);
        return view;
    }

    // Opens the dialog with the view's command; `person` acts in it.
    int Run(SKQNewsCtrlView& view, std::function<void(CDealsSearchDlg&)> person) {
        int shownAs = 0;
        ui.Script().AnswerModal([&](CDialog& shown) {
            auto& dialog = dynamic_cast<CDealsSearchDlg&>(shown);
            person(dialog);
            shownAs = 1;
            return IDCANCEL;
        });
        view.SendMessage(WM_COMMAND, SKQNewsCtrlView::IDC_ADVANCED_SEARCH, 0);
        return shownAs;
    }

    static void Enter(CDealsSearchDlg& dialog, const CString& text) {
        Control<CEdit>(dialog, CKeywordPart::IDC_INPUT).SetWindowText(text);
        Control<CButton>(dialog, CKeywordPart::IDC_ENTER).Click();
    }

    static void AddKeyword(CDealsSearchDlg& dialog, const CString& keyword) {
        CListBox& history = dialog.m_keywords.m_lbKeyword;
        history.Click(history.FindStringExact(-1, keyword.c_str()));
        Control<CButton>(dialog, CKeywordPart::IDC_ADD).Click();
    }
};

struct EnterCase {
    const char* text;
    const char* message;  // the message box's text, or null when entered
};

class DealsDialogEnter : public DealsDialog, public ::testing::WithParamInterface<EnterCase> {};

// "and" and "or" are refused only as words of their own, as in the simple
// search; a space is refused; a keyword listed already is not listed twice.
TEST_P(DealsDialogEnter, TheEnterButtonRefusesOperatorWordsAndSpacesOnly) {
    const EnterCase& c = GetParam();
    auto view = Open();
    view->m_vecKeywordHistory = {"台積電"};
    Strings history;
    Run(*view, [&](CDealsSearchDlg& dialog) {
        Enter(dialog, c.text);
        history = Texts(dialog.m_keywords.m_lbKeyword);
        EXPECT_EQ(Control<CEdit>(dialog, CKeywordPart::IDC_INPUT).GetWindowText(), c.text)
            << "the edit keeps its text";
    });
    if (c.message) {
        EXPECT_EQ(MessageTexts(), Strings{c.message});
        EXPECT_EQ(ui.Script().Requests()[1].caption, "");
        EXPECT_EQ(ui.Script().Requests()[1].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_EQ(history, Strings{"台積電"});
    } else {
        EXPECT_TRUE(MessageTexts().empty());
        // Empty and listed texts change nothing.
        const bool added = CString(c.text) != "" && CString(c.text) != "台積電";
        EXPECT_EQ(history.size(), added ? 2u : 1u);
        EXPECT_TRUE(!added ||
                    std::find(history.begin(), history.end(), CString(c.text)) != history.end());
    }
}

constexpr const char* kReinput = "關鍵字不可包含 AND/OR 或 and/or，請重新輸入";
constexpr const char* kNoSpace = "關鍵字不可包含空白";

INSTANTIATE_TEST_SUITE_P(Words, DealsDialogEnter,
                         ::testing::Values(EnterCase{"candy", nullptr}, EnterCase{"order", nullptr},
                                           EnterCase{"report", nullptr},
                                           EnterCase{"Korea", nullptr}, EnterCase{"motor", nullptr},
                                           EnterCase{"台積電", nullptr}, EnterCase{"and", kReinput},
                                           EnterCase{"OR", kReinput},
                                           EnterCase{"台積電and聯電", kReinput},
                                           EnterCase{"台積 電", kNoSpace}, EnterCase{"", nullptr}));

TEST_F(DealsDialog, ASeveralWordKeywordIsRefusedSpaceBySpaceAndTheCaretStays) {
    auto view = Open();
    Run(*view, [&](CDealsSearchDlg& dialog) {
        auto& edit = Control<CEdit>(dialog, CKeywordPart::IDC_INPUT);
        edit.TypeText("台積 電 子");
        EXPECT_EQ(edit.GetWindowText(), "台積電子");
        // A space typed in the middle goes; the caret stays after the "a".
        edit.SetWindowText("ab");
        edit.SetSel(1, 1);
        edit.TypeText(" ");
        EXPECT_EQ(edit.GetWindowText(), "ab");
        int start = -1;
        int end = -1;
        edit.GetSel(start, end);
        EXPECT_EQ(start, 1);
        EXPECT_EQ(end, 1);
    });
    EXPECT_EQ(MessageTexts(), (Strings{kNoSpace, kNoSpace, kNoSpace}));
}

TEST_F(DealsDialog, OKComposesSearchesAndStoresTheConditionOnce) {
    auto view = Open();
    view->m_vecKeywordHistory = {"聯電", "台積電", "有 空白", ""};
    // The same keywords in another order, the same method and scope.
    view->m_vecSearchItem = {Condition({"聯電", "台積電"}, 2, 1)};
    Strings history;
    Run(*view, [&](CDealsSearchDlg& dialog) {
        history = Texts(dialog.m_keywords.m_lbKeyword);
        AddKeyword(dialog, "聯電");
        AddKeyword(dialog, "台積電");
        AddKeyword(dialog, "台積電");
        Control<CButton>(dialog, CKeywordPart::IDC_OR).Click();
        Control<CButton>(dialog, CKeywordPart::IDC_STORY).Click();
        Control<CButton>(dialog, IDOK).Click();
    });
    EXPECT_EQ(history.size(), 2u) << "entries with a space and empty ones are dropped";
    const CSearch searched = view->InspectConditions()[0];
    EXPECT_EQ(searched.vecKeyword.size(), 2u);
    EXPECT_EQ(searched.byMethod, 2);
    EXPECT_EQ(searched.byScope, 1);
    EXPECT_EQ(view->InspectConditions()[1].vecKeyword, searched.vecKeyword);
    EXPECT_EQ(view->m_vecSearchItem.size(), 1u) << "no second entry";
    EXPECT_EQ(view->m_vecKeywordHistory.size(), 2u);
    EXPECT_EQ(view->pInspectTipMsg()->GetText().Find("新聞搜尋中"), 0) << "the search ran";

    // Another scope is another condition.
    Run(*view, [&](CDealsSearchDlg& dialog) {
        AddKeyword(dialog, "聯電");
        Control<CButton>(dialog, IDOK).Click();
    });
    ASSERT_EQ(view->m_vecSearchItem.size(), 2u);
    EXPECT_EQ(view->m_vecSearchItem[1].vecKeyword, Strings{"聯電"});
    EXPECT_EQ(view->m_vecSearchItem[1].byMethod, 1);
}

TEST_F(DealsDialog, ADeletedConditionStaysDeletedAfterCancelAndTheClickedOneIsKept) {
    auto view = Open();
    view->m_vecSearchItem = {Condition({"台積電"}, 1, 0), Condition({"聯電"}, 2, 2)};
    Strings shownKeywords;
    int shownMethod = -1;
    Run(*view, [&](CDealsSearchDlg& dialog) {
        dialog.m_lcItem.Click(1);
        shownKeywords = Texts(dialog.m_keywords.m_lbCondition);
        shownMethod = Control<CButton>(dialog, CKeywordPart::IDC_OR).GetCheck();
        EXPECT_EQ(Control<CButton>(dialog, CKeywordPart::IDC_BOTH).GetCheck(), BST_CHECKED);
        dialog.m_lcItem.Click(0);
        Control<CButton>(dialog, CDealsSearchDlg::IDC_REMOVE_ITEM).Click();
        EXPECT_EQ(dialog.m_lcItem.GetItemCount(), 1);
    });
    EXPECT_EQ(shownKeywords, Strings{"聯電"});
    EXPECT_EQ(shownMethod, BST_CHECKED);
    ASSERT_EQ(view->m_vecSearchItem.size(), 1u);
    EXPECT_EQ(view->m_vecSearchItem[0].vecKeyword, Strings{"聯電"});
    // The last clicked condition becomes the search condition, unsearched.
    EXPECT_EQ(view->InspectConditions()[0].vecKeyword, Strings{"台積電"});
    EXPECT_TRUE(view->pInspectTipMsg()->GetText().IsEmpty() ||
                view->pInspectTipMsg()->GetText().Find("新聞搜尋中") < 0);
}

TEST_F(DealsDialog, MethodZeroIsShownAsAndAndADoubleClickSearchesTheRowAsItIs) {
    auto view = Open();
    view->m_vecSearchItem = {Condition({"台積電", "聯電"}, 0, 3)};
    Strings row;
    Run(*view, [&](CDealsSearchDlg& dialog) {
        for (int column = 0; column < 3; ++column)
            row.push_back(dialog.m_lcItem.GetItemText(0, column));
        EXPECT_EQ(dialog.m_lcItem.GetColumnCount(), 3);
        EXPECT_EQ(dialog.m_lcItem.GetColumn(1)->format, LVCFMT_CENTER);
        AddKeyword(dialog, "聯電");  // not read: the row is searched as it is
        dialog.m_lcItem.DoubleClick(0);
    });
    EXPECT_EQ(row, (Strings{"", "交集", "台積電 聯電 "}));
    ASSERT_EQ(view->m_vecSearchItem.size(), 1u);
    EXPECT_EQ(view->m_vecSearchItem[0].byMethod, 1) << "method 0 becomes AND";
    EXPECT_EQ(view->InspectConditions()[0].vecKeyword, (Strings{"台積電", "聯電"}));
    EXPECT_EQ(view->pInspectTipMsg()->GetText().Find("新聞搜尋中"), 0);
}

TEST_F(DealsDialog, KeywordsMoveBetweenTheListsTheDialogShowsItsTextsAndOkWithoutConditionsTips) {
    auto view = Open();
    view->m_vecKeywordHistory = {"台積電", "聯電"};
    Run(*view, [&](CDealsSearchDlg& dialog) {
        EXPECT_EQ(dialog.GetWindowText(), "詳細搜尋設定");
        EXPECT_EQ(Control<CButton>(dialog, IDOK).GetWindowText(), "搜尋");
        EXPECT_EQ(Control<CButton>(dialog, CKeywordPart::IDC_AND).GetCheck(), BST_CHECKED);
        EXPECT_EQ(Control<CButton>(dialog, CKeywordPart::IDC_HEADLINE).GetCheck(), BST_CHECKED);
        CListBox& history = dialog.m_keywords.m_lbKeyword;
        CListBox& condition = dialog.m_keywords.m_lbCondition;
        history.DoubleClick(history.FindStringExact(-1, "聯電"));
        EXPECT_EQ(Texts(condition), Strings{"聯電"});
        history.Click(history.FindStringExact(-1, "聯電"));
        Control<CButton>(dialog, CKeywordPart::IDC_REMOVE_KEYWORD).Click();
        EXPECT_EQ(Texts(history), Strings{"台積電"});
        condition.DoubleClick(0);
        EXPECT_TRUE(Texts(condition).empty());
        EXPECT_EQ(Texts(history).size(), 2u) << "moved back into the history";
        // Without a selection nothing happens.
        Control<CButton>(dialog, CKeywordPart::IDC_MOVE_BACK).Click();
        Control<CButton>(dialog, CDealsSearchDlg::IDC_REMOVE_ITEM).Click();
    });
    EXPECT_EQ(view->m_vecKeywordHistory.size(), 2u);

    // OK with an empty condition list closes; the view shows the empty tip.
    Run(*view, [&](CDealsSearchDlg& dialog) { Control<CButton>(dialog, IDOK).Click(); });
    EXPECT_TRUE(view->InspectConditions()[0].vecKeyword.empty());
    EXPECT_TRUE(view->m_vecSearchItem.empty());
    EXPECT_TRUE(view->pInspectTipWnd()->IsWindowVisible());
    EXPECT_EQ(view->pInspectTipWnd()->GetTipText(), "請輸入搜尋關鍵字");
}

}  // namespace

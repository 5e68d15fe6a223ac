// The warning condition list and its editor, run from the view's warning
// command with a scripted person: numbered rows, Add / Modify / Delete, the
// editor's keyword splitting, starting a condition, and what a cancel keeps.
#include <functional>

#include "HostApi.h"
#include "WarningConditionDlg.h"
#include "WarningSearchDlg.h"
#include "test_view_support.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CEdit.h"

namespace {

using namespace view_test;
using Person = std::function<void(CWarningSearchDlg&)>;
using Dlg = CWarningConditionDlg;

// What the tests set by hand.
class WarningProbe : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::m_search;
    using SKQNewsCtrlView::m_vecKeywordHistory;
};

bool Press(CDialog& dialog, UINT id) {
    auto* button = dynamic_cast<CButton*>(dialog.GetDlgItem(static_cast<int>(id)));
    return button && button->Click();
}

bool Checked(CDialog& dialog, UINT id) {
    auto* button = dynamic_cast<CButton*>(dialog.GetDlgItem(static_cast<int>(id)));
    return button && button->GetCheck() == BST_CHECKED;
}

Strings Column(CWarningSearchDlg& dialog, int col) {
    Strings texts;
    for (int row = 0; row < dialog.m_lcItem.GetItemCount(); ++row)
        texts.push_back(dialog.m_lcItem.GetItemText(row, col));
    return texts;
}

// Each row as "number|scope|method|keywords".
Strings Rows(CWarningSearchDlg& dialog) {
    Strings rows;
    for (int row = 0; row < dialog.m_lcItem.GetItemCount(); ++row) {
        CString text;
        for (int col = 0; col < 4; ++col) {
            if (col > 0)
                text += "|";
            text += dialog.m_lcItem.GetItemText(row, col);
        }
        rows.push_back(text);
    }
    return rows;
}

CString Text(const char* key) {
    return s_LangGetLangString(key);
}

class ViewWarningDialogs : public ViewHost {
  protected:
    ViewWarningDialogs() {
        AddServices();
        backend.AddHeadline(Item('1', t0, 1, "台積電擴產"), false);
        backend.AddHeadline(Item('1', t0 + 60, 2, "聯電法說會"), false);
    }

    std::unique_ptr<WarningProbe> Open() {
        auto view = OpenAs<WarningProbe>();
        PickMode(*view, 6);
        return view;
    }

    // The person in the list dialog; the dialog ends as the person leaves it.
    void InList(Person person) {
        ui.Script().AnswerModal([person](CDialog& dialog) {
            auto* list = dynamic_cast<CWarningSearchDlg*>(&dialog);
            EXPECT_NE(list, nullptr);
            if (list)
                person(*list);
            return IDCANCEL;
        });
    }

    // The person in the editor: optionally checks what it shows, types the
    // text, picks the method and range radios given (0: leaves them) and presses OK.
    void InEditor(const CString& text, UINT method = 0, UINT range = 0,
                  std::function<void(CDialog&)> look = {}) {
        ui.Script().AnswerModal([=](CDialog& dialog) {
            if (look)
                look(dialog);
            dialog.GetDlgItem(static_cast<int>(Dlg::IDC_KEYWORD))->SetWindowText(text);
            if (method)
                Press(dialog, method);
            if (range)
                Press(dialog, range);
            Press(dialog, IDOK);
            return IDOK;
        });
    }

    void RunList(SKQNewsCtrlView& view) {
        view.SendMessage(WM_COMMAND, SKQNewsCtrlView::IDC_WARNING_SEARCH, 0);
        EXPECT_TRUE(ui.Script().Errors().empty());
        EXPECT_EQ(ui.Script().PendingAnswers(), 0u);
    }

    // Adds the conditions through the dialog and leaves it with Cancel.
    void AddThree(SKQNewsCtrlView& view) {
        InList([](CWarningSearchDlg& dialog) {
            for (int i = 0; i < 3; ++i)
                Press(dialog, CWarningSearchDlg::IDC_ADD);
            Press(dialog, IDCANCEL);
        });
        InEditor("台積電");
        InEditor("聯電");
        InEditor("鴻海");
        RunList(view);
    }
};

struct SplitCase {
    const char* name;
    const char* typed;
};

class ViewWarningSplit : public ViewWarningDialogs,
                         public ::testing::WithParamInterface<SplitCase> {};

TEST_P(ViewWarningSplit, TheEditorSplitsAtSpacesCommasAndLineFeeds) {
    auto view = Open();
    Strings rows;
    InList([&rows](CWarningSearchDlg& dialog) {
        Press(dialog, CWarningSearchDlg::IDC_ADD);
        rows = Rows(dialog);
        Press(dialog, IDCANCEL);
    });
    InEditor(GetParam().typed);
    RunList(*view);
    const CString keywords = "台積電, 聯電";
    EXPECT_EQ(rows, Strings{"1|" + Text("IDS_DIALOG-DEAL-SEARCH_HEADLINE_SEARCH") + "|" +
                            Text("IDS_DIALOG-DEAL-SEARCH_AND_BUTTON") + "|" + keywords});
    // The list's edits stand after a cancel.
    EXPECT_EQ(view->InspectWarningItems(), std::vector<CSearch>{Condition({"台積電", "聯電"})});
}

INSTANTIATE_TEST_SUITE_P(Separators, ViewWarningSplit,
                         ::testing::Values(SplitCase{"Comma", "台積電,聯電"},
                                           SplitCase{"Space", "台積電 聯電"},
                                           SplitCase{"LineFeed", "台積電\r\n聯電"},
                                           SplitCase{"DoubledComma", "台積電,,聯電"},
                                           SplitCase{"Padded", " 台積電 , 聯電,\n"}),
                         [](const auto& param) { return std::string(param.param.name); });

TEST_F(ViewWarningDialogs, TheEditorTakesTheRadiosAndAnEmptyBoxAddsNothing) {
    auto view = Open();
    Strings rows;
    InList([&rows](CWarningSearchDlg& dialog) {
        EXPECT_EQ(dialog.GetWindowText(), Text("IDS_DIALOG-DEAL-SEARCH_WARNING_TITLE"));
        const auto children = dialog.GetChildren();
        EXPECT_TRUE(std::any_of(children.begin(), children.end(), [](CWnd* child) {
            return child->GetWindowText() == Text("IDS_DIALOG-DEAL-SEARCH_WARNING_LIST");
        }));
        Press(dialog, CWarningSearchDlg::IDC_ADD);  // nothing typed
        Press(dialog, CWarningSearchDlg::IDC_ADD);
        Press(dialog, CWarningSearchDlg::IDC_ADD);  // only separators typed
        rows = Rows(dialog);
        Press(dialog, IDCANCEL);
    });
    InEditor("", Dlg::IDC_OR, Dlg::IDC_STORY);
    InEditor("台積電", Dlg::IDC_OR, Dlg::IDC_HEADLINE_AND_STORY, [](CDialog& editor) {
        // A new condition starts as AND over the headlines.
        EXPECT_TRUE(Checked(editor, Dlg::IDC_AND));
        EXPECT_TRUE(Checked(editor, Dlg::IDC_HEADLINE));
        EXPECT_EQ(editor.GetWindowText(), Text("IDS_DIALOG-DEAL-SEARCH_WARNING_CONFIG_TITLE"));
    });
    InEditor(" , ");
    RunList(*view);
    EXPECT_EQ(rows, Strings{"1|" + Text("IDS_DIALOG-DEAL-SEARCH_HEARLINE_AND_STORY_SEARCH") + "|" +
                            Text("IDS_DIALOG-DEAL-SEARCH_OR_BUTTON") + "|台積電"});
    EXPECT_EQ(view->InspectWarningItems(), std::vector<CSearch>{Condition({"台積電"}, 2, 2)});
}

TEST_F(ViewWarningDialogs, AModifiedConditionMovesToTheEndUnderANewNumber) {
    auto view = Open();
    AddThree(*view);
    Strings numbers;
    InList([&numbers](CWarningSearchDlg& dialog) {
        dialog.m_lcItem.Click(0);
        Press(dialog, CWarningSearchDlg::IDC_MODIFY);
        numbers = Column(dialog, 0);
        Press(dialog, IDCANCEL);
    });
    InEditor("台積電,擴產", Dlg::IDC_OR, 0, [](CDialog& editor) {
        EXPECT_EQ(editor.GetDlgItem(static_cast<int>(Dlg::IDC_KEYWORD))->GetWindowText(),
                  CString("台積電"));
        EXPECT_TRUE(Checked(editor, Dlg::IDC_AND));
    });
    RunList(*view);
    EXPECT_EQ(numbers, (Strings{"2", "3", "3"}));
    EXPECT_EQ(view->InspectWarningItems(),
              (std::vector<CSearch>{Condition({"聯電"}), Condition({"鴻海"}),
                                    Condition({"台積電", "擴產"}, 2)}));
}

TEST_F(ViewWarningDialogs, RowsKeepTheirNumbersWhenOthersAreDeletedOrLeftUnchanged) {
    auto view = Open();
    AddThree(*view);
    Strings numbers;
    InList([&numbers](CWarningSearchDlg& dialog) {
        Press(dialog, CWarningSearchDlg::IDC_DELETE);  // nothing selected
        dialog.m_lcItem.Click(1);
        Press(dialog, CWarningSearchDlg::IDC_DELETE);
        dialog.m_lcItem.DoubleClick(0);  // opens the editor; nothing changed
        numbers = Column(dialog, 0);
        Press(dialog, IDCANCEL);
    });
    InEditor("台積電");
    RunList(*view);
    EXPECT_EQ(numbers, (Strings{"1", "3"}));
    EXPECT_EQ(view->InspectWarningItems(),
              (std::vector<CSearch>{Condition({"台積電"}), Condition({"鴻海"})}));
}

TEST_F(ViewWarningDialogs, OkAsksForASelectionThenStartsItAndCancelKeepsIt) {
    auto view = Open();
    AddThree(*view);
    // OK without a selection asks for one and stays open.
    bool stayedOpen = false;
    InList([&stayedOpen](CWarningSearchDlg& dialog) {
        Press(dialog, IDOK);
        stayedOpen = !dialog.IsEnded();
        Press(dialog, IDCANCEL);
    });
    ui.Script().AnswerMessageBox(IDOK);
    RunList(*view);
    EXPECT_TRUE(stayedOpen);
    const auto& requests = ui.Script().Requests();
    const auto asked = std::find_if(requests.begin(), requests.end(), [](const auto& request) {
        return request.kind == ScriptedUserServices::Kind::MessageBox;
    });
    ASSERT_NE(asked, requests.end());
    EXPECT_EQ(asked->text, Text("IDS_DIALOG-DEAL-SEARCH_ERRMSG"));
    EXPECT_EQ(asked->flags & MB_OKCANCEL, MB_OKCANCEL);
    EXPECT_EQ(view->iInspectWarningItemOrder(), 0);
    EXPECT_TRUE(view->InspectConditions()[3].vecKeyword.empty());
    InList([](CWarningSearchDlg& dialog) {
        dialog.m_lcItem.Click(1);
        Press(dialog, IDOK);
    });
    RunList(*view);
    EXPECT_EQ(view->iInspectWarningItemOrder(), 2);
    EXPECT_EQ(view->InspectConditions()[3], Condition({"聯電"}));
    EXPECT_EQ(view->InspectWarningItems().size(), 3u) << "a listed condition is not added again";
    Settle();
    ASSERT_EQ(view->InspectList(6).size(), 1u);

    // A cancel starts nothing and keeps the running condition and its number.
    InList([](CWarningSearchDlg& dialog) { Press(dialog, IDCANCEL); });
    RunList(*view);
    EXPECT_EQ(view->iInspectWarningItemOrder(), 2);
    EXPECT_EQ(view->InspectConditions()[3], Condition({"聯電"}));
    EXPECT_EQ(view->InspectList(6).size(), 1u);

    // The number follows the condition through the list's edits.
    InList([](CWarningSearchDlg& dialog) {
        dialog.m_lcItem.Click(0);
        Press(dialog, CWarningSearchDlg::IDC_DELETE);
        Press(dialog, IDCANCEL);
    });
    RunList(*view);
    EXPECT_EQ(view->iInspectWarningItemOrder(), 1);
    EXPECT_EQ(view->InspectConditions()[3], Condition({"聯電"}));
}

TEST_F(ViewWarningDialogs, StartingKeepsTheKeywordHistoryAndAddsTheNewKeywords) {
    auto view = Open();
    view->m_vecKeywordHistory = {"聯電", "兩 字", "鴻海"};
    InList([](CWarningSearchDlg& dialog) {
        Press(dialog, CWarningSearchDlg::IDC_ADD);
        dialog.m_lcItem.Click(0);
        Press(dialog, IDOK);
    });
    InEditor("台積電 聯電");
    RunList(*view);
    // Entries with a blank are not single keywords and are left out.
    EXPECT_EQ(view->InspectKeywordHistory(), (Strings{"聯電", "鴻海", "台積電"}));
    EXPECT_EQ(view->iInspectWarningItemOrder(), 1);
    EXPECT_EQ(view->InspectConditions()[3], Condition({"台積電", "聯電"}));
}

}  // namespace

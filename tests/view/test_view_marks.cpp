// Why a row is in a search sheet: the parts of its title that matched the
// keywords of the sheet's condition are marked, in the search, relation and
// warning sheets only, and marked again when the condition changes.
#include "NewsViewInspection.h"
#include "test_view_support.h"
#include "ui/controls/CEdit.h"
#include "ui/grid/GridMarks.h"

namespace {

using namespace view_test;

class MarksProbe : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::m_search;
    using SKQNewsCtrlView::OnDealsSearch;
};

class ViewMarks : public ViewHost {
  protected:
    ViewMarks() {
        AddServices();
        backend.AddHeadline(Item('1', t0, 1, "台積電營收創新高"), false);
        backend.AddHeadline(Item('1', t0 + 60, 2, "聯電法說會"), false);
        backend.AddHeadline(Item('2', t0 + 120, 7, "台積電ADR走高 台積電"), false);
    }

    std::unique_ptr<MarksProbe> Open() { return OpenAs<MarksProbe>(); }

    // Each row's title with its marked parts in brackets.
    static Strings Marked(SKQNewsCtrlView& view, int mode) {
        Strings titles;
        CGridoraWnd* sheet = view.pInspectSheet(mode);
        for (int row = 0; sheet && row < sheet->iGetTotalRows(); ++row)
            titles.push_back(
                BracketMarkedText(Cell(sheet, row, 2), sheet->GetCellMarks(row, 2), "[", "]"));
        return titles;
    }
};

TEST_F(ViewMarks, KeywordAndWarningSearchesMarkEveryMatchInTheirSheetsAndNowhereElse) {
    auto view = Open();
    PickMode(*view, 3);
    Search(*view, "台積電");
    const Strings marked{"[台積電]ADR走高 [台積電]", "[台積電]營收創新高"};
    EXPECT_EQ(Marked(*view, 3), marked);
    Settle();
    EXPECT_EQ(Marked(*view, 3), marked) << "the answer keeps the marks";
    // The same titles in the all-news sheet are not marked.
    PickMode(*view, 0);
    Settle();
    EXPECT_EQ(Marked(*view, 0),
              (Strings{"台積電ADR走高 台積電", "聯電法說會", "台積電營收創新高"}));

    // The warning sheet marks its started condition, live news joining it too.
    PickMode(*view, 6);
    view->bStartWarningSearch(Condition({"ADR"}));
    Settle();
    EXPECT_EQ(Marked(*view, 6), (Strings{"台積電[ADR]走高 台積電"}));
    Live(Item('1', t0 + 300, 9, "ADR溢價"));
    EXPECT_EQ(Marked(*view, 6), (Strings{"[ADR]溢價", "台積電[ADR]走高 台積電"}));
    // Each sheet keeps its own condition's marks.
    EXPECT_EQ(Marked(*view, 3).front(), "[台積電]ADR走高 [台積電]");
}

TEST_F(ViewMarks, MarksCoverWholeCharactersAndAreRedoneWhenTheConditionChanges) {
    auto view = Open();
    PickMode(*view, 3);
    Search(*view, "積電");
    Settle();
    CGridoraWnd* sheet = view->pInspectSheet(3);
    ASSERT_EQ(sheet->iGetTotalRows(), 2);
    // "積電" starts at the fourth byte of "台積電...": two three-byte characters.
    EXPECT_EQ(sheet->GetCellMarks(1, 2), (std::vector<GridMark>{{3, 6}}));
    EXPECT_EQ(Marked(*view, 3)[0], "台[積電]ADR走高 台[積電]");
    // The condition changed under the rows shown (as a linked symbol's name
    // does): the rows are marked anew when the sheet is shown again.
    view->m_search[0] = Condition({"走高"});
    PickMode(*view, 0);
    PickMode(*view, 3);
    EXPECT_EQ(Marked(*view, 3), (Strings{"台積電ADR[走高] 台積電", "台積電營收創新高"}));
    // A search for other keywords: every keyword is marked.
    view->m_search[0] = Condition({"營收", "新高"}, 2);
    view->OnDealsSearch();
    Settle();
    EXPECT_EQ(Marked(*view, 3), (Strings{"台積電[營收]創[新高]"}));
}

TEST_F(ViewMarks, TheRelationSheetMarksTheKeywordsOfItsCondition) {
    WriteSiteFiles(SiteOptions{.showNormalSearch = 0});
    auto view = Open();
    PickMode(*view, 4);
    view->m_search[2] = Condition({"法說"});
    view->OnDealsSearch();
    Settle();
    EXPECT_EQ(Marked(*view, 4), (Strings{"聯電[法說]會"}));
}

}  // namespace

// Keyword search and the search sheets: the keyword rules, what is sent and
// shown at once, answers routed by their condition, live news in the warning
// mode, and a linked symbol's search.
#include "NewsStoryWindow.h"
#include "NewsViewInspection.h"
#include "test_view_support.h"
#include "ui/controls/CEdit.h"
#include "ui/tab/CDlgTipMsg.h"
#include "ui/tab/CXTTipWindow.h"

namespace {

using namespace view_test;
using Keys = std::vector<std::string>;

// What a linked symbol change reaches and what the tests set by hand.
class SearchProbe : public SKQNewsCtrlView {
  public:
    using SKQNewsCtrlView::m_search;
    using SKQNewsCtrlView::OnDealsSearch;
    using SKQNewsCtrlView::vDoSearchChangeSymbol;
};

class ViewSearch : public ViewHost {
  protected:
    const std::int64_t yesterday = Taipei(2024, 3, 7, 9, 0, 0);

    ViewSearch() {
        AddServices();
        backend.AddHeadline(Item('1', t0, 1, "台積電營收創新高"), false);
        backend.AddHeadline(Item('1', t0 + 60, 2, "聯電法說會"), false);
        backend.AddHeadline(Item('1', t0 + 120, 3, "台積電擴產"), false);
        backend.AddHeadline(Item('2', t0 + 120, 7, "台積電ADR走高"), false);
        backend.AddHeadline(Item('2', t0 + 180, 8, "國際股市"), false);
        backend.AddHeadline(Item('1', yesterday, 5, "台積電昨日新聞"), false);
        backend.AddSymbol(FeedSymbol{16, "2303", "聯電", "", "", ""});
    }

    std::unique_ptr<SearchProbe> Open() { return OpenAs<SearchProbe>(); }

    static Keys KeysOf(SKQNewsCtrlView& view, int mode) {
        Keys keys;
        for (const CHeadlineTable& key : view.InspectList(mode))
            keys.push_back(KeyText(key));
        return keys;
    }

    static bool PopupShown(SKQNewsCtrlView& view) {
        return view.pInspectTipMsg()->IsWindowVisible();
    }

    static Keys SearchTable(BYTE service) {
        std::vector<CHeadlineTable> keys;
        bool known = false;
        NEWS_iGetHeadlineTable(service, keys, 3, "SEARCH", known);
        Keys out;
        for (const CHeadlineTable& key : keys)
            out.push_back(KeyText(key));
        return out;
    }
};

TEST_F(ViewSearch, AKeywordSearchShowsAtOnceWhatTheBackEndHoldsAndTheAnswerStopsTheNotice) {
    auto view = Open();
    PickMode(*view, 3);
    Search(*view, " 台積電 ");
    // Both services, newest first; equal times by the larger serial first.
    const Keys found{"2/20240308/7", "1/20240308/3", "1/20240308/1", "1/20240307/5"};
    EXPECT_EQ(KeysOf(*view, 3), found);
    const Strings titles{"台積電ADR走高", "台積電擴產", "台積電營收創新高", "台積電昨日新聞"};
    EXPECT_EQ(Titles(*view, 3), titles);
    const CSearch issued = view->InspectConditions()[0];
    EXPECT_EQ(issued.vecKeyword, Strings{"台積電"});
    EXPECT_EQ(issued.byScope, 0);
    EXPECT_EQ(issued.byMethod, 1);
    EXPECT_EQ(issued.tSearch, clock.Now());
    EXPECT_TRUE(PopupShown(*view));
    EXPECT_EQ(view->pInspectTipMsg()->GetText(), "新聞搜尋中，關鍵字： 台積電");
    EXPECT_EQ(view->pInspectTipMsg()->GetTime(), 100000);

    Settle();
    EXPECT_FALSE(PopupShown(*view));
    EXPECT_EQ(KeysOf(*view, 3), found);
    EXPECT_EQ(Titles(*view, 3), titles);

    // The history keeps each text once, oldest first.
    Search(*view, "台積電");
    Search(*view, "聯電");
    Search(*view, "台積電");
    EXPECT_EQ(view->InspectKeywordHistory(), (Strings{"台積電", "聯電"}));
}

struct OperatorCase {
    const char* text;
    bool refused;
};

class ViewSearchOperators : public ViewSearch,
                            public ::testing::WithParamInterface<OperatorCase> {};

// "AND" and "OR" are refused as words of their own only, in any case.
TEST_P(ViewSearchOperators, OperatorWordsAreRefusedAndOtherWordsSearched) {
    const OperatorCase& c = GetParam();
    auto view = Open();
    PickMode(*view, 3);
    Search(*view, c.text);
    const auto& requests = ui.Script().Requests();
    if (c.refused) {
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(requests[0].kind, ScriptedUserServices::Kind::MessageBox);
        EXPECT_EQ(requests[0].text, "關鍵字不可包含 AND/OR 或 and/or，請重新輸入");
        EXPECT_EQ(requests[0].caption, "");
        EXPECT_EQ(requests[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
        EXPECT_TRUE(view->InspectConditions()[0].vecKeyword.empty());
        EXPECT_TRUE(view->InspectKeywordHistory().empty());
    } else {
        EXPECT_TRUE(requests.empty());
        EXPECT_EQ(view->InspectConditions()[0].vecKeyword, Strings{c.text});
        EXPECT_EQ(view->InspectKeywordHistory(), Strings{c.text});
    }
}

INSTANTIATE_TEST_SUITE_P(
    Words, ViewSearchOperators,
    ::testing::Values(OperatorCase{"AND", true}, OperatorCase{"or", true}, OperatorCase{"Or", true},
                      OperatorCase{"台積電AND聯電", true}, OperatorCase{"A&OR", true},
                      OperatorCase{"台積 and 聯電", true}, OperatorCase{"FORMOSA", false},
                      OperatorCase{"STANDARD", false}, OperatorCase{"ORIENT", false},
                      OperatorCase{"SANDS", false}, OperatorCase{"FORT", false},
                      OperatorCase{"candy", false}, OperatorCase{"order", false},
                      OperatorCase{"台積電", false}));

TEST_F(ViewSearch, AnEmptyKeywordOrASearchOutsideTheSearchModesSendsNothing) {
    auto view = Open();
    PickMode(*view, 3);
    Search(*view, "   ");
    EXPECT_TRUE(view->pInspectTipWnd()->IsWindowVisible());
    EXPECT_EQ(view->pInspectTipWnd()->GetTipText(), "請輸入搜尋關鍵字");
    EXPECT_TRUE(view->InspectConditions()[0].vecKeyword.empty());
    EXPECT_TRUE(view->InspectKeywordHistory().empty());
    EXPECT_TRUE(SearchTable('1').empty());
    ui.Advance(3000);  // the tip's time is up
    for (const int mode : {0, 1}) {
        PickMode(*view, mode);
        view->m_search[0] = Condition({"台積電"});
        view->OnDealsSearch();
        EXPECT_FALSE(PopupShown(*view)) << mode;
        EXPECT_FALSE(view->pInspectTipWnd()->IsWindowVisible()) << mode;
        EXPECT_TRUE(SearchTable('1').empty()) << mode;
        EXPECT_TRUE(view->InspectList(3).empty()) << mode;
    }
}

TEST_F(ViewSearch, AStartedWarningWithoutAMethodIsSentAsAll) {
    auto view = Open();
    PickMode(*view, 6);
    view->bStartWarningSearch(Condition({"台積電", "擴產"}, 0));
    EXPECT_EQ(view->InspectConditions()[3].byMethod, 1);
    EXPECT_EQ(view->iInspectWarningItemOrder(), 1);
    EXPECT_EQ(KeysOf(*view, 6), Keys{"1/20240308/3"});
    Settle();
    EXPECT_FALSE(PopupShown(*view)) << "the answer, sent with method 1, was taken";
    // Starting the same condition again keeps one copy in the list.
    view->bStartWarningSearch(Condition({"擴產", "台積電"}, 0));
    EXPECT_EQ(view->InspectWarningItems().size(), 1u);
    EXPECT_EQ(view->iInspectWarningItemOrder(), 1);
}

struct AnswerCase {
    const char* name;
    CSearch answer;
    bool taken;
};

class ViewSearchAnswers : public ViewSearch, public ::testing::WithParamInterface<AnswerCase> {};

// An answer refills the sheet (and stops the notice) only when it is the
// same condition as the sheet's.
TEST_P(ViewSearchAnswers, AnAnswerIsTakenOnlyForTheSameCondition) {
    auto view = Open();
    PickMode(*view, 6);
    view->bStartWarningSearch(Condition({"台積電", "擴產"}));
    ASSERT_TRUE(PopupShown(*view));
    view->RespSearchHeadLineTable(GetParam().answer, '1');
    EXPECT_EQ(!PopupShown(*view), GetParam().taken);
}

INSTANTIATE_TEST_SUITE_P(
    Conditions, ViewSearchAnswers,
    ::testing::Values(AnswerCase{"Same", Condition({"台積電", "擴產"}), true},
                      AnswerCase{"OtherOrder", Condition({"擴產", "台積電"}), true},
                      AnswerCase{"ExtraKeyword", Condition({"台積電", "擴產", "新"}), false},
                      AnswerCase{"FewerKeywords", Condition({"台積電"}), false},
                      AnswerCase{"OtherMethod", Condition({"台積電", "擴產"}, 2), false},
                      AnswerCase{"OtherScope", Condition({"台積電", "擴產"}, 1, 2), false},
                      AnswerCase{"NoKeywords", Condition({}), false}),
    [](const auto& param) { return std::string(param.param.name); });

TEST_F(ViewSearch, AnswersGoToTheSheetWhoseConditionTheyAnswer) {
    auto view = Open();
    PickMode(*view, 6);
    view->bStartWarningSearch(Condition({"擴產"}));
    PickMode(*view, 3);
    Search(*view, "聯電");
    // The warning's answers come after the keyword search took the tables.
    Settle();
    EXPECT_EQ(KeysOf(*view, 6), Keys{"1/20240308/3"});
    EXPECT_EQ(KeysOf(*view, 3), Keys{"1/20240308/2"});
    EXPECT_EQ(Titles(*view, 3), Strings{"聯電法說會"});
    // The warning sheet's own answer still refills it.
    PickMode(*view, 6);
    view->OnDealsSearch();
    Settle();
    EXPECT_EQ(KeysOf(*view, 6), Keys{"1/20240308/3"});
    EXPECT_EQ(Titles(*view, 6), Strings{"台積電擴產"});
}

TEST_F(ViewSearch, WithoutTheWarningSheetAnswersStillFillTheSearchSheet) {
    WriteSiteFiles(SiteOptions{.showWarningSearch = 0});
    auto view = Open();
    ASSERT_EQ(view->pInspectSheet(6), nullptr);
    PickMode(*view, 3);
    view->bStartWarningSearch(Condition({"擴產"}));  // no sheet: nothing shown for it
    Search(*view, "台積電");
    Settle();
    EXPECT_EQ(KeysOf(*view, 3).size(), 4u);
    EXPECT_FALSE(PopupShown(*view));
}

TEST_F(ViewSearch, LiveNewsNeedsAStartedWarningAndAnAnswerWithNothingFoundEmptiesTheRows) {
    auto view = Open();
    PickMode(*view, 3);
    Search(*view, "台積電");
    Settle();
    ASSERT_EQ(view->pInspectSheet(3)->iGetTotalRows(), 4);
    // Live news is not matched without a started warning.
    PickMode(*view, 6);
    Live(Item('1', t0 + 240, 9, "台積電新廠"));
    Settle();
    EXPECT_TRUE(view->InspectList(6).empty());
    EXPECT_EQ(SearchTable('1'), (Keys{"1/20240308/3", "1/20240308/1", "1/20240307/5"}))
        << "the keyword search's table is left as it was";
    EXPECT_EQ(KeysOf(*view, 3).size(), 4u);
    PickMode(*view, 3);
    // Another party's search has left the tables empty by the time the answer comes.
    for (const BYTE service : {'1', '2'})
        NEWS_bSearchNews(service, 3, Condition({"沒有這則"}));
    view->RespSearchHeadLineTable(Condition({"台積電"}), '1');
    EXPECT_TRUE(view->InspectList(3).empty());
    EXPECT_EQ(view->pInspectSheet(3)->iGetTotalRows(), 0);
    EXPECT_TRUE(PopupShown(*view));
    EXPECT_EQ(view->pInspectTipMsg()->GetText(), "查無符合條件的新聞");
    EXPECT_EQ(view->pInspectTipMsg()->GetTime(), 1000);
}

TEST_F(ViewSearch, LiveNewsJoinsTheWarningSheetOnceAtItsPlace) {
    auto view = Open();
    PickMode(*view, 6);
    view->bStartWarningSearch(Condition({"台積電"}));
    Settle();
    ASSERT_EQ(KeysOf(*view, 6).size(), 4u);
    // Equal time with serials 7 and 3: between them. The other service's entry stays.
    Live(Item('1', t0 + 120, 4, "台積電新廠"));
    const Keys withNew{"2/20240308/7", "1/20240308/4", "1/20240308/3", "1/20240308/1",
                       "1/20240307/5"};
    EXPECT_EQ(KeysOf(*view, 6), withNew);
    EXPECT_EQ(Cell(view->pInspectSheet(6), 1, 2), "台積電新廠");
    // Sent again: still once. Not matching: not added.
    Live(Item('1', t0 + 120, 4, "台積電新廠"));
    Live(Item('1', t0 + 240, 9, "國內股市"));
    EXPECT_EQ(KeysOf(*view, 6), withNew);
    // Today's serial 5 is another headline than yesterday's serial 5.
    Live(Item('1', t0 + 300, 5, "台積電今日"));
    EXPECT_EQ(KeysOf(*view, 6).front(), "1/20240308/5");
    EXPECT_EQ(KeysOf(*view, 6).size(), 6u);
    Settle();
    EXPECT_EQ(view->pInspectSheet(6)->iGetTotalRows(), 6);
    EXPECT_EQ(KeysOf(*view, 6).size(), 6u);
}

TEST_F(ViewSearch, TheStoryWindowGetsAnAnswerOnlyForTheModeItReads) {
    auto view = Open();
    PickMode(*view, 6);
    view->bStartWarningSearch(Condition({"台積電"}));
    Settle();
    view->pInspectSheet(6)->vResetActiveSelection(2, -1);
    view->SendMessage(WM_COMMAND, SKQNewsCtrlView::ID_SHOW_STORY, 0);
    INewsStoryWindow* story = view->pInspectStory();
    ASSERT_NE(story, nullptr);
    ASSERT_EQ(story->iStoryFunctionID(), 6);
    ASSERT_EQ(story->iStoryIndex(), 2);
    view->RespSearchHeadLineTable(Condition({"台積電"}), '1');
    EXPECT_EQ(story->iStoryFunctionID(), 6) << "handed the warning sheet's mode";
    EXPECT_EQ(story->iStoryIndex(), 0);
    PickMode(*view, 3);
    Search(*view, "聯電");
    Settle();
    EXPECT_EQ(story->iStoryFunctionID(), 6) << "the search sheet's answer is not its news";
    EXPECT_EQ(story->iStoryIndex(), 0);
}

TEST_F(ViewSearch, ALinkedSymbolSearchesItsNameOrLeavesTheConditionAlone) {
    auto view = Open();
    PickMode(*view, 3);
    Search(*view, "台積電");
    Settle();
    // No name for the symbol: nothing changes, nothing is sent.
    view->vDoSearchChangeSymbol(view->m_search[0], 16, "9999");
    EXPECT_EQ(view->InspectConditions()[0].vecKeyword, Strings{"台積電"});
    EXPECT_EQ(KeysOf(*view, 3).size(), 4u);
    EXPECT_FALSE(PopupShown(*view));

    view->vDoSearchChangeSymbol(view->m_search[0], 16, "2303");
    EXPECT_EQ(view->InspectConditions()[0].vecKeyword, Strings{"聯電"});
    EXPECT_EQ(KeysOf(*view, 3), Keys{"1/20240308/2"});

    // Nothing started in the warning sheet: no slot takes the name, and no
    // tip asks for a keyword.
    PickMode(*view, 6);
    view->vDoSearchChangeSymbol(view->m_search[3], 16, "2303");
    EXPECT_TRUE(view->InspectConditions()[3].vecKeyword.empty());
    EXPECT_EQ(view->InspectConditions()[0].vecKeyword, Strings{"聯電"});
    EXPECT_FALSE(view->pInspectTipWnd()->IsWindowVisible());
}

}  // namespace

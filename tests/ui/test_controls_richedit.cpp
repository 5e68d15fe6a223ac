// The story pane: finding text without regard to case, selecting what was
// found, positions in characters, the selection's visibility and read-only.
#include "test_controls_support.h"

namespace {

class RichEditTest : public ControlTest {
  protected:
    MyRichEdit pane;
    // "2024/03/15 09:30:00 " is 20 characters, CR LF two more.
    const CString story =
        "2024/03/15 09:30:00 \r\n台積電法說會：TSMC 營收創新高，tsmc 股價上漲。Tsmcx";
    void SetUp() override {
        ControlTest::SetUp();
        ASSERT_TRUE(pane.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | WS_VSCROLL | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_READONLY,
                                CRect(14, 82, 490, 383), &parent, 8071));
        pane.SetWindowText(story);
    }
    // The story window's marking: every occurrence in turn, by messages.
    std::vector<long> Mark(const char* keyword) {
        std::vector<long> found;
        long start = 0;
        for (;;) {
            FINDTEXTEX find;
            find.chrg = CHARRANGE{start, -1};
            find.lpstrText = keyword;
            const LRESULT at =
                pane.SendMessage(EM_FINDTEXTEX, FR_DOWN, reinterpret_cast<LPARAM>(&find));
            if (at < 0)
                break;
            pane.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&find.chrgText));
            found.push_back(static_cast<long>(at));
            start = static_cast<long>(at) + 1;
        }
        return found;
    }
};

TEST_F(RichEditTest, FindingIgnoresCaseAndCountsCharacters) {
    EXPECT_EQ(Mark("tsmc"), (std::vector<long>{29, 40, 50}));
    EXPECT_EQ(pane.GetSelText(), "Tsmc") << "the last occurrence found stays selected";
    long start = 0;
    long end = 0;
    pane.GetSel(start, end);
    EXPECT_EQ(start, 50);
    EXPECT_EQ(end, 54);

    EXPECT_EQ(Mark("台積電"), std::vector<long>{22});
    EXPECT_EQ(pane.GetSelText(), "台積電");
    EXPECT_EQ(Mark("營收創新高"), std::vector<long>{34});
    EXPECT_TRUE(Mark("聯發科").empty());
    EXPECT_TRUE(Mark("").empty()) << "an empty keyword is never found";
    EXPECT_EQ(pane.FindText("TSMC", 30), 40) << "from a position";
}

TEST_F(RichEditTest, FlagsNarrowTheSearchAndTurnItRound) {
    FINDTEXTEX find;
    find.lpstrText = "tsmc";
    find.chrg = CHARRANGE{0, -1};
    EXPECT_EQ(pane.FindText(FR_DOWN | FR_MATCHCASE, &find), 40);
    EXPECT_EQ(find.chrgText.cpMin, 40);
    EXPECT_EQ(find.chrgText.cpMax, 44);
    EXPECT_EQ(pane.FindText(FR_DOWN | FR_WHOLEWORD, &find), 29);
    find.chrg = CHARRANGE{30, -1};
    EXPECT_EQ(pane.FindText(FR_DOWN | FR_WHOLEWORD, &find), 40) << "Tsmcx is no whole word";
    find.chrg = CHARRANGE{30, 43};
    EXPECT_EQ(pane.FindText(FR_DOWN, &find), -1) << "the match must end within the range";
    EXPECT_EQ(find.chrgText.cpMin, -1);

    find.chrg = CHARRANGE{50, -1};
    EXPECT_EQ(pane.FindText(0, &find), 40) << "backward from 50 to the start";
    find.chrg = CHARRANGE{-1, 35};
    EXPECT_EQ(pane.FindText(0, &find), 50) << "backward from the end down to 35";
}

TEST_F(RichEditTest, TheSelectionShowsWithoutFocusOnlyWhenAskedToAndMarksLeaveItAlone) {
    pane.SetSel(22, 25);
    EXPECT_FALSE(pane.IsSelectionShown());
    pane.SendMessage(EM_HIDESELECTION, 0, 1);
    EXPECT_TRUE(pane.GetStyle() & ES_NOHIDESEL);
    EXPECT_TRUE(pane.IsSelectionShown());
    pane.HideSelection(true, true);
    EXPECT_FALSE(pane.IsSelectionShown());
    pane.HideSelection(false, false);
    pane.SetFocus();
    EXPECT_TRUE(pane.IsSelectionShown());

    pane.SetSel(0, -1);
    EXPECT_EQ(pane.GetSelText(), story);
    CHARRANGE range{5, 3};
    pane.SendMessage(EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
    pane.SendMessage(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    EXPECT_EQ(range.cpMin, 3) << "a reversed range is taken in order";
    EXPECT_EQ(range.cpMax, 5);

    // Marks stay beside the selection until the text is set again.
    pane.AddMark(CHARRANGE{29, 33});
    pane.AddMark(CHARRANGE{50, 200});  // clipped to the text
    pane.AddMark(CHARRANGE{40, 40});   // empty: ignored
    pane.SetSel(22, 25);
    ASSERT_EQ(pane.GetMarks().size(), 2U);
    EXPECT_EQ(pane.GetMarks()[1].cpMin, 50);
    EXPECT_EQ(pane.GetMarks()[1].cpMax, pane.GetTextLength());
    EXPECT_EQ(pane.GetSelText(), "台積電") << "marks leave the selection alone";

    pane.SetWindowText(story);
    EXPECT_TRUE(pane.GetMarks().empty()) << "even the same text again drops them";
}

TEST_F(RichEditTest, ReadOnlyRefusesAPersonButNotTheCode) {
    EXPECT_EQ(pane.TypeText("x"), 0);
    EXPECT_EQ(pane.GetWindowText(), story);
    pane.SendMessage(EM_SETREADONLY, 0);
    EXPECT_FALSE(pane.IsReadOnly());
    pane.SetSel(0, 0);
    EXPECT_EQ(pane.TypeText("新"), 1);
    EXPECT_TRUE(pane.GetWindowText().Find("新2024") == 0);
    pane.SendMessage(EM_SETREADONLY, 1);
    pane.SetWindowText("wait");
    EXPECT_EQ(pane.GetWindowText(), "wait");
    EXPECT_EQ(pane.GetTextLength(), 4);
    EXPECT_TRUE(notices.empty()) << "no change notices without the event mask";

    pane.SendMessage(EM_SETEVENTMASK, 0, ENM_CHANGE);
    pane.SetWindowText("line 1\r\nline 2\nline 3");
    EXPECT_EQ(notices, std::vector<Notice>{Command(8071, EN_CHANGE)});
    EXPECT_EQ(pane.GetLineCount(), 3);
    EXPECT_EQ(pane.LineFromChar(9), 1);
}

}  // namespace

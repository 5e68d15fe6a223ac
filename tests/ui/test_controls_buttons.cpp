// Buttons: push buttons, check boxes, radio groups and group boxes, their
// state and the notifications a person's click sends.
#include "test_controls_support.h"

namespace {

class ButtonTest : public ControlTest {
  protected:
    CButton radio1, radio2, radio3, push, radio4, radio5;
    void MakeTwoGroups() {
        const DWORD visible = WS_CHILD | WS_VISIBLE;
        ASSERT_TRUE(
            radio1.Create("AND", visible | WS_GROUP | BS_AUTORADIOBUTTON, At(0), &parent, 2017));
        ASSERT_TRUE(radio2.Create("OR", visible | BS_AUTORADIOBUTTON, At(30), &parent, 2009));
        ASSERT_TRUE(radio3.Create("XOR", visible | BS_AUTORADIOBUTTON, At(60), &parent, 2010));
        ASSERT_TRUE(push.Create("OK", visible | BS_PUSHBUTTON, At(90), &parent, IDOK));
        ASSERT_TRUE(
            radio4.Create("標題", visible | WS_GROUP | BS_AUTORADIOBUTTON, At(120), &parent, 2014));
        ASSERT_TRUE(radio5.Create("內文", visible | BS_AUTORADIOBUTTON, At(150), &parent, 2015));
    }
};

TEST_F(ButtonTest, AClickedRadioUnchecksOnlyTheRadiosOfItsOwnGroup) {
    MakeTwoGroups();
    ASSERT_TRUE(radio4.Click());
    ASSERT_TRUE(radio2.Click());
    EXPECT_EQ(radio2.GetCheck(), BST_CHECKED);
    EXPECT_EQ(radio4.GetCheck(), BST_CHECKED) << "another group";

    ASSERT_TRUE(radio3.Click());
    EXPECT_EQ(radio2.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(radio3.GetCheck(), BST_CHECKED);
    EXPECT_EQ(radio1.GetCheck(), BST_UNCHECKED);

    ASSERT_TRUE(radio5.Click());
    EXPECT_EQ(radio4.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(radio3.GetCheck(), BST_CHECKED) << "the group ends at the next WS_GROUP control";

    EXPECT_EQ(notices, (std::vector<Notice>{Command(2014, BN_CLICKED), Command(2009, BN_CLICKED),
                                            Command(2010, BN_CLICKED), Command(2015, BN_CLICKED)}));
    EXPECT_EQ(radio3.GetGroupRadioButtons(), (std::vector<CButton*>{&radio1, &radio2, &radio3}));
    EXPECT_EQ(RadioButtonsFrom(radio4), (std::vector<CButton*>{&radio4, &radio5}));
}

TEST_F(ButtonTest, CheckingFromCodeSendsNothingAndLeavesTheGroupAlone) {
    MakeTwoGroups();
    radio1.SetCheck(BST_CHECKED);
    radio2.SetCheck(BST_CHECKED);
    EXPECT_EQ(radio1.GetCheck(), BST_CHECKED);
    EXPECT_EQ(radio2.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(notices.empty());
    EXPECT_GT(ChangesOf(radio2, WindowChange::Content), 0) << "the front end mirrors the check";

    push.SetCheck(BST_CHECKED);
    EXPECT_EQ(push.GetCheck(), BST_UNCHECKED) << "a push button has no check state";

    // A destroyed button forgets its check.
    CButton check;
    ASSERT_TRUE(check.Create("Keep", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, At(0), &parent, 10));
    check.SetCheck(BST_CHECKED);
    check.DestroyWindow();
    ASSERT_TRUE(check.Create("Keep", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, At(0), &parent, 10));
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
}

TEST_F(ButtonTest, CheckBoxesToggleAndPushButtonsOnlyNotify) {
    CButton check, threeState, defaultButton, group;
    ASSERT_TRUE(check.Create("Keep", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, At(0), &parent, 10));
    ASSERT_TRUE(
        threeState.Create("Mixed", WS_CHILD | WS_VISIBLE | BS_AUTO3STATE, At(30), &parent, 11));
    ASSERT_TRUE(
        defaultButton.Create("Go", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, At(60), &parent, 12));
    ASSERT_TRUE(group.Create("Group", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(0, 0, 300, 300),
                             &parent, 13));

    check.Click();
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    check.Click();
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    threeState.Click();
    threeState.Click();
    EXPECT_EQ(threeState.GetCheck(), BST_INDETERMINATE);
    threeState.Click();
    EXPECT_EQ(threeState.GetCheck(), BST_UNCHECKED);

    EXPECT_TRUE(defaultButton.Click());
    EXPECT_TRUE(defaultButton.IsDefaultButton());
    EXPECT_TRUE(defaultButton.HasFocus()) << "a click gives the button the focus";
    EXPECT_FALSE(group.Click()) << "a group box takes no clicks";
    EXPECT_EQ(notices.size(), 6u);
    EXPECT_EQ(notices.back(), Command(12, BN_CLICKED));
}

TEST_F(ButtonTest, APersonCannotClickWhatIsDisabledOrNotShown) {
    CButton disabled, hidden, inDisabledPanel;
    CWnd panel;
    ASSERT_TRUE(disabled.Create("A", WS_CHILD | WS_VISIBLE | WS_DISABLED | BS_AUTOCHECKBOX, At(0),
                                &parent, 1));
    ASSERT_TRUE(hidden.Create("B", WS_CHILD | BS_AUTOCHECKBOX, At(30), &parent, 2));
    ASSERT_TRUE(
        panel.Create("", WS_CHILD | WS_VISIBLE | WS_DISABLED, CRect(0, 100, 300, 200), &parent, 3));
    ASSERT_TRUE(
        inDisabledPanel.Create("C", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, At(0), &panel, 4));

    EXPECT_FALSE(disabled.Click());
    EXPECT_FALSE(hidden.Click());
    EXPECT_FALSE(inDisabledPanel.Click());
    EXPECT_EQ(disabled.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(hidden.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(notices.empty());

    disabled.EnableWindow(true);
    EXPECT_TRUE(disabled.Click());
    EXPECT_EQ(disabled.GetCheck(), BST_CHECKED);
}

TEST_F(ButtonTest, ButtonMessagesDoWhatTheMemberFunctionsDo) {
    MakeTwoGroups();
    radio2.SendMessage(BM_CLICK);
    EXPECT_EQ(radio2.SendMessage(BM_GETCHECK), BST_CHECKED);
    radio1.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(radio1.GetCheck(), BST_CHECKED);
    EXPECT_EQ(notices, std::vector<Notice>{Command(2009, BN_CLICKED)});

    radio1.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("交集"));
    EXPECT_EQ(radio1.GetWindowText(), "交集");
    CString text;
    EXPECT_EQ(radio1.SendMessage(WM_GETTEXT, 0, reinterpret_cast<LPARAM>(&text)), 6);
    EXPECT_EQ(text, "交集");
}

}  // namespace

// Control colours come from the parent, as the news view gives them: black
// for buttons, white for every other control.
#include "test_controls_support.h"

namespace {

class ColouringParent : public CWnd {
  protected:
    const CBrush* OnCtlColor(CDC* dc, CWnd* control, UINT) override {
        dc->SetTextColor(RGB(0, 0, 128));
        dc->SetBkMode(TRANSPARENT);
        return control && control->GetKind() == WindowKind::Button ? &CBrush::Black()
                                                                   : &CBrush::White();
    }
};

TEST_F(ControlTest, ControlsAskTheirParentForTheirColours) {
    ColouringParent view;
    ASSERT_TRUE(view.Create("", WS_VISIBLE, CRect(0, 0, 400, 300), nullptr, 0));
    CButton search;
    CEdit keyword;
    ASSERT_TRUE(
        search.Create("搜尋", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, At(0), &view, 3007));
    ASSERT_TRUE(keyword.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, At(30), &view, 3008));

    const ControlColors button = QueryControlColors(search);
    EXPECT_TRUE(button.backgroundGiven);
    EXPECT_EQ(button.background, RGB(0, 0, 0));
    EXPECT_EQ(button.text, RGB(0, 0, 128));
    EXPECT_EQ(button.backgroundMode, TRANSPARENT);
    EXPECT_EQ(QueryControlColors(keyword).background, RGB(255, 255, 255));

    CStatic label;
    ASSERT_TRUE(label.Create("label", WS_CHILD | WS_VISIBLE, At(60), &parent, 1));
    const ControlColors plain = QueryControlColors(label);
    EXPECT_FALSE(plain.backgroundGiven) << "a parent that says nothing leaves the defaults";
    EXPECT_EQ(plain.text, RGB(0, 0, 0));
}

}  // namespace

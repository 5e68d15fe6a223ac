// Native peers of the controls: they show what the layer holds and hand a
// person's actions to the layer, which notifies as Windows controls do.
#include <gtest/gtest.h>

#include <algorithm>

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>

#include "HostContext.h"
#include "QtTestFixture.h"
#include "qt/QtFrontEnd.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CComboBox.h"
#include "ui/controls/CComboBoxAutoComplete.h"
#include "ui/controls/CDateTimeCtrl.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/CEdit.h"
#include "ui/controls/MyRichEdit.h"

namespace {

// An edit that refuses blanks, as the keyword box does.
class NoBlankEdit : public CEdit {
  protected:
    bool PreTranslateKey(UINT message, UINT key) override {
        return message == WM_CHAR && key == ' ';
    }
};

class QtControlsTest : public QtWindowTest {
  protected:
    std::vector<std::pair<int, int>> commands;  // (id, code)

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(QtWindowTest::SetUp());
        top.GetMessageMap().On(WM_COMMAND, [this](WPARAM w, LPARAM) -> LRESULT {
            commands.emplace_back(LOWORD(w), HIWORD(w));
            return 0;
        });
        QApplication::setActiveWindow(widget(top));
    }
};

TEST_F(QtControlsTest, ComboPeerShowsItemsAndReportsAChoice) {
    CComboBox combo;
    ASSERT_TRUE(
        combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(4, 25, 124, 225), &top, 3004));
    combo.AddString("01 台股");
    combo.AddString("02 國際");
    QComboBox* widget = peer<QComboBox>(combo);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->count(), 2);
    EXPECT_EQ(widget->itemText(1), QString::fromUtf8("02 國際"));
    combo.SetCurSel(0);
    EXPECT_EQ(widget->currentIndex(), 0);
    commands.clear();
    widget->activated(1);  // what Qt emits when the person picks item 1
    EXPECT_EQ(combo.GetCurSel(), 1);
    using C = std::vector<std::pair<int, int>>;
    EXPECT_EQ(commands, (C{{3004, CBN_DROPDOWN}, {3004, CBN_SELCHANGE}, {3004, CBN_CLOSEUP}}))
        << "a pick opens, changes and closes the list, in the order Windows reports it";
    combo.ResetContent();
    EXPECT_EQ(widget->count(), 0) << "the peer follows the layer at once";
}

TEST_F(QtControlsTest, TypingInAnAutoCompleteComboFindsTheItemAndEnterChoosesIt) {
    CComboBoxAutoComplete combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_UPPERCASE,
                             CRect(4, 25, 124, 225), &top, 3005));
    combo.SetAutoComplete(true);
    combo.AddString("2330  台積電");
    combo.AddString("2317  鴻海");
    QComboBox* widget = peer<QComboBox>(combo);
    ASSERT_NE(widget, nullptr);
    widget->setFocus();
    QTest::keyClicks(widget->lineEdit(), "231");
    EXPECT_EQ(widget->lineEdit()->text(), QString::fromUtf8("2317  鴻海"));
    EXPECT_EQ(widget->lineEdit()->selectedText(), QString::fromUtf8("7  鴻海"))
        << "the completed tail is selected, so typing on replaces it";
    QTest::keyClicks(widget->lineEdit(), "7");
    EXPECT_EQ(widget->lineEdit()->text(), QString::fromUtf8("2317  鴻海"));
    commands.clear();
    QTest::keyClick(widget->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(std::count(commands.begin(), commands.end(), std::make_pair(3005, int{CBN_CLOSEUP})),
              1)
        << "Enter takes the completed item as a choice, once";
}

TEST_F(QtControlsTest, TypingGoesThroughTheLayersKeyFilter) {
    NoBlankEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL,
                            CRect(4, 27, 84, 47), &top, 3008));
    QLineEdit* widget = peer<QLineEdit>(edit);
    ASSERT_NE(widget, nullptr);
    widget->setFocus();
    QTest::keyClicks(widget, "ab c");
    EXPECT_EQ(edit.GetWindowText(), "abc") << "the blank was swallowed by the filter";
    EXPECT_EQ(widget->text(), QString("abc"));
    const bool sawChange = std::any_of(commands.begin(), commands.end(), [](const auto& c) {
        return c.first == 3008 && c.second == EN_CHANGE;
    });
    EXPECT_TRUE(sawChange);
    edit.SetWindowText("台積電");
    EXPECT_EQ(widget->text(), QString::fromUtf8("台積電"));
}

TEST_F(QtControlsTest, ButtonPeerClicksReachTheParent) {
    CButton button;
    ASSERT_TRUE(button.Create("搜尋", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON,
                              CRect(90, 27, 150, 47), &top, 3007));
    QPushButton* widget = peer<QPushButton>(button);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->text(), QString::fromUtf8("搜尋"));
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_EQ(commands, (std::vector<std::pair<int, int>>{{3007, BN_CLICKED}}));
}

TEST_F(QtControlsTest, DatePeerReportsAPickAsTheCalendarDoesAndShowsADaySetBack) {
    CDateTimeCtrl picker;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE, CRect(4, 25, 124, 45), &top, 3009));
    ASSERT_TRUE(picker.SetTime(COleDateTime(2026, 12, 4, 9, 0, 0)));
    QDateEdit* widget = peer<QDateEdit>(picker);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->date(), QDate(2026, 12, 4));
    // The parent refuses a day after the 4th on closing, and sets the picker back.
    std::vector<UINT> codes;
    top.GetMessageMap().OnNotify(3009, DTN_DROPDOWN,
                                 [&](NMHDR*, LRESULT*) { codes.push_back(DTN_DROPDOWN); });
    top.GetMessageMap().OnNotify(3009, DTN_DATETIMECHANGE,
                                 [&](NMHDR*, LRESULT*) { codes.push_back(DTN_DATETIMECHANGE); });
    top.GetMessageMap().OnNotify(3009, DTN_CLOSEUP, [&](NMHDR*, LRESULT*) {
        codes.push_back(DTN_CLOSEUP);
        COleDateTime value;
        picker.GetTime(value);
        if (value.GetDateNumber() > 20261204)
            picker.SetTime(COleDateTime(2026, 12, 4, 9, 0, 0));
    });
    widget->setDate(QDate(2026, 12, 2));  // what the calendar does for a click
    EXPECT_EQ(codes, (std::vector<UINT>{DTN_DROPDOWN, DTN_DATETIMECHANGE, DTN_CLOSEUP}));
    COleDateTime value;
    ASSERT_TRUE(picker.GetTime(value));
    EXPECT_EQ(value, COleDateTime(2026, 12, 2, 9, 0, 0)) << "the day taken, its time of day kept";
    widget->setDate(QDate(2026, 12, 7));
    EXPECT_EQ(widget->date(), QDate(2026, 12, 4)) << "the widget shows the day set back";
    ASSERT_TRUE(picker.GetTime(value));
    EXPECT_EQ(value.GetDateNumber(), 20261204);
}

TEST_F(QtControlsTest, StoryPaneShowsEveryMarkAsSelectedTextPastItsLineBreaks) {
    MyRichEdit pane;
    ASSERT_TRUE(pane.Create(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_READONLY,
                            CRect(14, 82, 490, 383), &top, 8071));
    // CR LF is two characters in the layer and one break in the widget.
    pane.SetWindowText("2024/03/08 09:00:00 \r\n台積電法說會，台積電\r\n營收");
    pane.HideSelection(false, true);
    pane.AddMark(CHARRANGE{22, 25});
    pane.AddMark(CHARRANGE{29, 32});
    pane.SetSel(34, 36);
    QTextEdit* widget = peer<QTextEdit>(pane);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->toPlainText(),
              QString::fromUtf8("2024/03/08 09:00:00 \n台積電法說會，台積電\n營收"));
    EXPECT_EQ(widget->textCursor().selectedText(), QString::fromUtf8("營收"));
    QStringList marked;
    for (const QTextEdit::ExtraSelection& selection : widget->extraSelections()) {
        marked << selection.cursor.selectedText();
        EXPECT_EQ(selection.format.background(), widget->palette().brush(QPalette::Highlight));
    }
    EXPECT_EQ(marked, (QStringList{QString::fromUtf8("台積電"), QString::fromUtf8("台積電"),
                                   QString::fromUtf8("營收")}))
        << "both marks, and the selection that shows without the focus";
    pane.SetWindowText("新的內文");
    EXPECT_TRUE(widget->extraSelections().isEmpty());
}

TEST_F(QtControlsTest, ADialogIsATopLevelWindowThatComesToTheFrontAndFollowsAResize) {
    struct Resized : CDialog {
        CSize last;
        void OnSize(UINT, int cx, int cy) override { last = CSize(cx, cy); }
    } dialog;
    DialogTemplate t;
    t.id = 9901;
    t.caption = "內文";
    t.size = CSize(300, 200);
    ASSERT_TRUE(dialog.Create(t));
    QWidget* window = widget(dialog);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isWindow());
    dialog.ShowWindow(SW_SHOW);
    dialog.BringWindowToTop();
    EXPECT_TRUE(window->isVisible());
    window->resize(420, 330);  // the person drags its border
    EXPECT_EQ(dialog.GetRect().Width(), 420);
    EXPECT_EQ(dialog.last.cx, 420);
    EXPECT_EQ(dialog.last.cy, 330);
}

}  // namespace

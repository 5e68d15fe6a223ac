// Menus and the requests that wait for a person, answered by the headless
// script; device contexts for printing.
#include <gtest/gtest.h>

#include "HostContext.h"
#include "ui/CDC.h"
#include "ui/CMenu.h"
#include "ui/CWnd.h"
#include "ui/headless/HeadlessFrontEnd.h"

namespace {

class PersonTest : public ::testing::Test {
  protected:
    HostContext context;
    HeadlessUi ui{context};
    CWnd owner;
    std::vector<UINT> commands;
    void SetUp() override {
        ASSERT_TRUE(owner.Create("", WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
        owner.GetMessageMap().On(WM_COMMAND, [this](WPARAM w, LPARAM) -> LRESULT {
            commands.push_back(LOWORD(w));
            return 0;
        });
    }
    static CMenu contextMenu() {
        CMenu sub;
        sub.CreatePopupMenu();
        sub.AppendMenu(MF_STRING, 9001, "連動");
        CMenu menu;
        menu.CreatePopupMenu();
        menu.AppendMenu(MF_STRING, 2051, "重新取得內文");
        menu.AppendMenu(MF_SEPARATOR);
        menu.AppendMenu(MF_STRING | MF_CHECKED, 5406, "詳細內文");
        menu.InsertMenu(0, MF_BYPOSITION | MF_POPUP, sub, "功能");
        return menu;
    }
};

TEST_F(PersonTest, MenusKeepItemsChecksAndSubmenus) {
    CMenu menu = contextMenu();
    ASSERT_EQ(menu.GetMenuItemCount(), 4);
    EXPECT_EQ(menu.GetMenuString(0, MF_BYPOSITION), "功能");
    EXPECT_EQ(menu.GetMenuItemID(0), static_cast<UINT>(-1)) << "a submenu has no command";
    EXPECT_EQ(menu.GetMenuItemID(1), 2051u);
    EXPECT_TRUE(menu.GetMenuState(2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_TRUE(menu.GetMenuState(5406) & MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(5406, MF_UNCHECKED), static_cast<int>(MF_CHECKED));
    EXPECT_FALSE(menu.GetMenuState(5406) & MF_CHECKED);
    EXPECT_TRUE(menu.HasCommand(9001)) << "commands of submenus count";
    EXPECT_EQ(menu.CheckMenuItem(4242, MF_CHECKED), -1);
}

TEST_F(PersonTest, ATrackedMenuPostsTheChosenCommandToItsOwnerAndAnEmptyOneIsNotShown) {
    const CMenu menu = contextMenu();
    ui.Script().AnswerMenu(2051);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, 40, 50, &owner), 1u);
    EXPECT_TRUE(commands.empty()) << "posted, not sent";
    ui.Pump();
    EXPECT_EQ(commands, std::vector<UINT>{2051});
    ASSERT_EQ(ui.Script().Requests().size(), 1u);
    EXPECT_EQ(ui.Script().Requests()[0].text, "功能{連動}|重新取得內文|-|詳細內文");
    EXPECT_EQ(ui.Script().Requests()[0].point, CPoint(40, 50));

    ui.Script().AnswerMenu(9001);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 9001u);
    ui.Pump();
    EXPECT_EQ(commands.size(), 1u) << "with TPM_RETURNCMD nothing is sent";

    ui.Script().AnswerMenu(0);
    EXPECT_EQ(menu.TrackPopupMenu(0, 0, 0, &owner), 0u) << "dismissed";

    // An empty menu is not shown.
    const std::size_t asked = ui.Script().Requests().size();
    CMenu empty;
    empty.CreatePopupMenu();
    EXPECT_EQ(empty.TrackPopupMenu(0, 0, 0, &owner), 0u);
    EXPECT_EQ(ui.Script().Requests().size(), asked);
    EXPECT_TRUE(ui.Script().Errors().empty());
}

TEST_F(PersonTest, UnscriptedOrWrongRequestsAreErrorsAnsweredAsCancel) {
    EXPECT_EQ(ui.Script().MessageBox(&owner, "請重新輸入", "", MB_ICONEXCLAMATION), IDCANCEL);
    ui.Script().AnswerSaveFile(std::string("/tmp/news.txt"));
    EXPECT_EQ(ui.Script().MessageBox(&owner, "again", "", MB_OK), IDCANCEL);
    ASSERT_EQ(ui.Script().Errors().size(), 2u);
    EXPECT_NE(ui.Script().Errors()[0].find("unexpected message box"), std::string::npos);
    EXPECT_NE(ui.Script().Errors()[1].find("expected a save-file dialog"), std::string::npos);

    const CMenu menu = contextMenu();
    ui.Script().Reset();
    ui.Script().AnswerMenu(777);
    EXPECT_EQ(menu.TrackPopupMenu(TPM_RETURNCMD, 0, 0, &owner), 0u)
        << "a command the menu does not have";
    EXPECT_EQ(ui.Script().Errors().size(), 1u);
}

TEST_F(PersonTest, MessageBoxesFilesAndPrintersFollowTheScript) {
    ui.Script().AnswerMessageBox(IDOK);
    ui.Script().AnswerSaveFile(std::nullopt);
    ui.Script().AnswerSaveFile(std::string("/tmp/a.txt"));
    ui.Script().AnswerPrint([] { return std::make_unique<RecordingDC>(RecordingDC::A4Printer()); });
    ui.Script().AnswerPrint(nullptr);

    EXPECT_EQ(ui.Script().MessageBox(&owner, "text", "caption", MB_OKCANCEL), IDOK);
    FileDialogRequest request{"文字檔 (*.txt)|*.txt||", "txt", "", 0x404};
    EXPECT_FALSE(ui.Script().SaveFile(&owner, request).has_value());
    EXPECT_EQ(ui.Script().SaveFile(&owner, request), std::string("/tmp/a.txt"));
    auto printer = ui.Script().Print(&owner);
    ASSERT_NE(printer, nullptr);
    EXPECT_TRUE(printer->IsPrinting());
    EXPECT_EQ(ui.Script().Print(&owner), nullptr);
    EXPECT_EQ(ui.Script().PendingAnswers(), 0u);
    EXPECT_TRUE(ui.Script().Errors().empty());
    EXPECT_EQ(ui.Script().Requests()[0].caption, "caption");
    EXPECT_EQ(ui.Script().Requests()[1].flags, 0x404u);
}

TEST(RecordingDCTest, PrintingKeepsDocumentAndPageOrderAndTextIsMeasuredByColumns) {
    RecordingDC screen;
    EXPECT_LE(screen.StartDoc("news"), 0) << "a screen is not a printer";
    RecordingDC printer(RecordingDC::A4Printer());
    EXPECT_EQ(printer.GetDeviceCaps(HORZSIZE), 209);
    EXPECT_EQ(printer.GetDeviceCaps(VERTSIZE), 297);
    EXPECT_EQ(printer.GetDeviceCaps(LOGPIXELSY), 300);
    EXPECT_LE(printer.StartPage(), 0) << "no page outside a document";
    ASSERT_GT(printer.StartDoc("新聞列印"), 0);
    ASSERT_GT(printer.StartPage(), 0);
    printer.TextOut(10, 10, "page one");
    ASSERT_GT(printer.EndPage(), 0);
    ASSERT_GT(printer.StartPage(), 0);
    ASSERT_GT(printer.EndDoc(), 0) << "ending the document ends its open page";
    EXPECT_EQ(printer.Pages(), 2);
    EXPECT_EQ(printer.Records().back().op, RecordingDC::Op::EndDoc);
    RecordingDC failing(RecordingDC::A4Printer());
    failing.FailStartDoc(true);
    EXPECT_LE(failing.StartDoc("x"), 0);

    // Text is measured by columns and fonts.
    RecordingDC dc;
    CFont font("Noto Sans CJK TC", 12);  // 16 pixels high at 96 dpi
    CFont* previous = dc.SelectObject(&font);
    EXPECT_EQ(previous, nullptr);
    EXPECT_EQ(dc.GetTextExtent("ab"), CSize(16, 16));
    EXPECT_EQ(dc.GetTextExtent("新聞ab"), CSize(48, 16));
    CRect rect(10, 10, 10, 10);
    EXPECT_EQ(dc.DrawText("新聞", &rect, DT_CALCRECT | DT_SINGLELINE), 16);
    EXPECT_EQ(rect, CRect(10, 10, 42, 26));
    EXPECT_TRUE(dc.Records().empty()) << "measuring draws nothing";
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, 16);
    EXPECT_GT(tm.tmExternalLeading, 0);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.DrawText("x", &rect, DT_CENTER);
    EXPECT_EQ(dc.Records().back().colour, RGB(255, 0, 0));
    EXPECT_EQ(dc.Records().back().font, "Noto Sans CJK TC");
    EXPECT_EQ(dc.SelectObject(previous), &font);
}

}  // namespace

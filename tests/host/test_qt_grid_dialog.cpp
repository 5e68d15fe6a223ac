// The grid's painted peer shows the rows the layer holds, and a layer dialog
// runs modally in a real Qt loop until it ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "ColorScheme.h"
#include "HostContext.h"
#include "QtTestFixture.h"
#include "qt/QtFrontEnd.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/CEdit.h"
#include "ui/grid/CGridoraWnd.h"

namespace {

class QtGridDialogTest : public QtWindowTest {
  protected:
    // A 300x200 grid with rows and header 16 high, and the given columns.
    void create(CGridoraWnd& grid, std::initializer_list<int> widths) {
        ASSERT_TRUE(grid.bCreateSheet());
        ASSERT_TRUE(grid.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, 300, 200), &top, 0));
        grid.vSetHeaderRowHeight(16);
        grid.vSetRowHeight(16);
        int column = 0;
        for (const int width : widths)
            grid.bInsertCol(column++, width);
    }
};

TEST_F(QtGridDialogTest, GridPeerPaintsTheRowsTheLayerHolds) {
    CGridoraWnd grid(new CSheetBuilder(0, 0, 0), &top);
    ASSERT_NO_FATAL_FAILURE(create(grid, {100, 180}));
    grid.vSetBkColor(RGB(250, 0, 0), RGB(0, 0, 250));
    grid.bAddRows(3, true);
    grid.vSetGridContent(0, 0, "09:00:01");
    grid.vSetGridContent(1, 1, "台積電法說會");

    const QImage filled = ui.FrontEnd().WidgetOf(grid)->grab().toImage();
    // Sample in column 1 of row 0 (left of any text) and row 1's last pixels.
    EXPECT_EQ(filled.pixelColor(290, 16 + 8), QColor(250, 0, 0));
    EXPECT_EQ(filled.pixelColor(270, 32 + 8), QColor(0, 0, 250));
    int dark = 0;  // the Chinese text of row 1 is drawn
    for (int x = 100; x < 200; ++x)
        dark += filled.pixelColor(x, 32 + 8).lightness() < 100 &&
                filled.pixelColor(x, 32 + 8) != QColor(0, 0, 250);
    EXPECT_GT(dark, 3);

    grid.bDeleteRow(1);
    grid.bDeleteRow(1);
    const QImage after = ui.FrontEnd().WidgetOf(grid)->grab().toImage();
    EXPECT_NE(after.pixelColor(270, 32 + 8), QColor(0, 0, 250))
        << "a deleted row is no longer shown";
}

TEST_F(QtGridDialogTest, GridPeerDrawsMarkedPartsOnTheSchemesMarkColour) {
    for (const char* name : {"light", "dark"}) {
        ColorScheme scheme;
        ASSERT_TRUE(scheme.Load(std::string(KQ_SOURCE_DIR) + "/data/colors/" + name + ".ini"));
        const COLORREF mark = scheme.Get("COLOR_LISTCTL_MARKBK");
        const QColor markColour(GetRValue(mark), GetGValue(mark), GetBValue(mark));
        CGridoraWnd grid(new CSheetBuilder(0, 0, 0), &top);
        ASSERT_NO_FATAL_FAILURE(create(grid, {60, 220}));
        grid.vSetBkColor(scheme.Get("COLOR_LISTCTL_BACKGROUND"),
                         scheme.Get("COLOR_LISTCTL_BACKGROUNDSLASH"));
        grid.vSetMarkColor(mark, scheme.Get("COLOR_LISTCTL_MARKTEXT"));
        grid.bAddRows(2, true);
        grid.vSetGridContent(0, 1, "台積電營收創新高");
        grid.vSetCellMarks(0, 1, {{9, 6}});  // 營收
        grid.vSetGridContent(1, 1, "台積電營收創新高");

        const QImage image = ui.FrontEnd().WidgetOf(grid)->grab().toImage();
        // Along the row's top pixel line, above the glyphs: the marked part
        // is a run of the mark colour after the unmarked 台積電.
        auto markedRun = [&](int y) {
            int first = -1, last = -1;
            for (int x = 60; x < 280; ++x) {
                if (image.pixelColor(x, y) == markColour) {
                    first = first < 0 ? x : first;
                    last = x;
                }
            }
            return std::pair{first, last};
        };
        const auto [first, last] = markedRun(16 + 1);
        EXPECT_GT(first, 60 + 3 + 10) << name << ": the unmarked start is not marked";
        EXPECT_GT(last - first, 10) << name;
        EXPECT_LT(last, 60 + 3 + 140) << name << ": the unmarked end is not marked";
        EXPECT_EQ(markedRun(32 + 1).first, -1) << name << ": the unmarked row";
    }
}

// A person's pointer and keys on the grid's peer: the resize pointer over a
// header border, a drag that resizes the column, Ctrl+C onto the desktop's
// clipboard.
TEST_F(QtGridDialogTest, APersonResizesAColumnAndCopiesRowsWithCtrlC) {
    CGridoraWnd grid(new CSheetBuilder(0, 0, 0), &top);
    ASSERT_NO_FATAL_FAILURE(create(grid, {100, 80}));
    grid.vSetFullRowSelect(true);
    grid.bAddRows(2, true);
    grid.vSetGridContent(1, 0, "09:00:01");
    grid.vSetGridContent(1, 1, "台積電法說會");
    QWidget* widget = ui.FrontEnd().WidgetOf(grid);
    ASSERT_NE(widget, nullptr);
    const auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButton button,
                          Qt::MouseButtons buttons) {
        QMouseEvent event(type, p, widget->mapToGlobal(p), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    };
    send(QEvent::MouseMove, {99, 8}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(widget->cursor().shape(), Qt::SplitHCursor);
    send(QEvent::MouseMove, {50, 8}, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(widget->cursor().shape(), Qt::ArrowCursor);
    send(QEvent::MouseMove, {99, 8}, Qt::NoButton, Qt::NoButton);
    send(QEvent::MouseButtonPress, {99, 8}, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, {139, 8}, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, {139, 8}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(grid.iGetColWidth(0), 140);
    EXPECT_EQ(grid.iGetColShownWidth(1), 300 - 140);

    grid.vResetActiveSelection(1, -1);
    QTest::keyClick(widget, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QString::fromUtf8("09:00:01\t台積電法說會\n"));
}

class NameDialog : public CDialog {
  public:
    CString name;
    CEdit edit;
    NameDialog() : CDialog(0) {}

  protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 100, edit);
        DDX_Text(pDX, 100, name);
    }
};

TEST_F(QtGridDialogTest, AModalDialogRunsUntilThePersonPressesOk) {
    DialogTemplate t;
    t.id = 9101;
    t.caption = "名稱";
    t.size = CSize(200, 100);
    t.controls = {{ControlType::Edit, 100, "", CRect(10, 10, 190, 30)},
                  {ControlType::DefPushButton, IDOK, "確定", CRect(10, 60, 90, 84)},
                  {ControlType::PushButton, IDCANCEL, "取消", CRect(100, 60, 180, 84)}};
    DialogTemplates::Register(t);
    NameDialog dialog;
    dialog.name = "before";
    // The person: once the dialog shows, types a name and presses OK.
    QTimer::singleShot(50, [&] {
        ASSERT_TRUE(dialog.IsWindow());
        EXPECT_EQ(dialog.edit.GetWindowText(), "before") << "members went into the controls";
        dialog.edit.SetWindowText("聯發科");
        auto* ok = dynamic_cast<CButton*>(dialog.GetDlgItem(IDOK));
        ASSERT_NE(ok, nullptr);
        ok->Click();
    });
    ASSERT_TRUE(dialog.Create(9101, &top));
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.name, "聯發科");
    EXPECT_FALSE(dialog.IsWindow()) << "a modal dialog is gone when its run ends";
}

}  // namespace

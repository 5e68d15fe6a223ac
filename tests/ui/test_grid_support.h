#pragma once
// A grid as the news view makes it (16-pixel header and rows, columns of
// 100, 50 and 300 pixels) on a headless window layer, under an owner window
// that records what the grid tells it.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "HostContext.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/headless/HeadlessFrontEnd.h"

struct OwnerMessage {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class GridTest : public ::testing::Test {
  protected:
    static constexpr COLORREF kBk1 = RGB(250, 250, 250);
    static constexpr COLORREF kBk2 = RGB(220, 230, 240);

    void SetUp() override {
        ASSERT_TRUE(owner.Create("", WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        for (UINT message : {WM_VSCROLL, WM_HSCROLL, WM_LBUTTONDBLCLK})
            Record(message);
        Record(RegisterWindowMessage(kGridChangeSizeMessage));
    }

    void Record(UINT message) {
        owner.GetMessageMap().On(message, [this, message](WPARAM w, LPARAM l) {
            received.push_back({message, w, l});
            return LRESULT{0};
        });
    }

    // A visible child of the owner at `rect` with the view's three columns.
    CGridoraWnd& MakeGrid(const CRect& rect = CRect(10, 52, 610, 252), int rows = 0) {
        grid = std::make_unique<CGridoraWnd>(new CSheetBuilder(0, 0, 0), &owner);
        EXPECT_TRUE(grid->bCreateSheet());
        EXPECT_TRUE(grid->Create(WS_CHILD | WS_VISIBLE, rect, &owner, 0));
        grid->vSetHeaderRowHeight(16);
        grid->vSetRowHeight(16);
        EXPECT_TRUE(grid->bInsertCol(0, 100));
        EXPECT_TRUE(grid->bInsertCol(1, 50));
        EXPECT_TRUE(grid->bInsertCol(2, 300));
        grid->vSetHeaderRowContent(0, "Time");
        grid->vSetHeaderRowContent(1, "Cat");
        grid->vSetHeaderRowContent(2, "Title");
        grid->vSetBkColor(kBk1, kBk2);
        if (rows > 0) {
            EXPECT_TRUE(grid->bAddRows(rows, true));
        }
        received.clear();
        return *grid;
    }

    static CString CellText(int row, int col) { return CString::Formatted("r%d c%d", row, col); }

    void FillRows(int from, int to) {
        for (int row = from; row < to; ++row) {
            for (int col = 0; col < 3; ++col)
                grid->vSetGridContent(row, col, CellText(row, col));
        }
    }

    CString Content(int row, int col) const {
        CString text = "(untouched)";
        grid->vGetGridContent(row, col, text);
        return text;
    }

    // A point inside cell (row, col) of the grid's client area, given the
    // first visible row.
    CPoint CellPoint(int row, int col) const {
        const int x = grid->GetLayout().data.left + 5 +
                      (col == 0   ? 0
                       : col == 1 ? 100
                                  : 150) -
                      grid->iGetHorzScrollPos();
        const int y = grid->GetLayout().data.top + (row - grid->iGetBgnRowPos()) * 16 + 8;
        return {x, y};
    }

    void Click(int row, int col, UINT flags = MK_LBUTTON) {
        const CPoint p = CellPoint(row, col);
        grid->SendMessage(WM_LBUTTONDOWN, flags, MAKELPARAM(p.x, p.y));
        grid->SendMessage(WM_LBUTTONUP, flags & ~MK_LBUTTON, MAKELPARAM(p.x, p.y));
    }

    void PostKey(UINT key, int repeat = 1) {
        grid->PostMessage(WM_KEYDOWN, key, repeat);
        ui.Pump();
    }

    void PostWheel(int delta, UINT flags = 0) {
        grid->PostMessage(WM_MOUSEWHEEL,
                          MAKEWPARAM(static_cast<WORD>(flags), static_cast<WORD>(delta)),
                          MAKELPARAM(300, 300));
        ui.Pump();
    }

    std::vector<CPoint> Selection() const {
        std::vector<CPoint> cells{{99, 99}};  // replaced, not appended to
        grid->vGetAllSelectionNdx(cells);
        return cells;
    }

    std::vector<OwnerMessage> ReceivedOf(UINT message) const {
        std::vector<OwnerMessage> out;
        for (const auto& m : received) {
            if (m.message == message)
                out.push_back(m);
        }
        return out;
    }

    // Texts drawn in the rows (below the header), in order.
    std::vector<CString> RowTexts(const RecordingDC& dc) const {
        std::vector<CString> texts;
        for (const auto& r : dc.Records()) {
            if (r.op == RecordingDC::Op::Text && r.rect.top >= grid->GetLayout().data.top) {
                texts.push_back(r.text);
            }
        }
        return texts;
    }

    HostContext context;
    ScopedHostContext scope{context};
    HeadlessUi ui{context};
    std::vector<OwnerMessage> received;
    CWnd owner;
    std::unique_ptr<CGridoraWnd> grid;
};

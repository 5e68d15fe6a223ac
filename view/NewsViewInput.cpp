// SKQNewsCtrlView: mouse, keyboard and scroll input, the context menu, and
// the tips that answer the user.
#include "HostApi.h"
#include "SKQNewsCtrlView.h"

namespace {

constexpr int kTitleClickHeight = 20;
constexpr DWORD kTipStyle = kTipStyleShadow | kTipStyleThickBorder;
constexpr UINT kTipShowFor = 2000;
constexpr COLORREF kTipMessageBack = 0xFF8000;

bool isNavigationKey(UINT key) {
    switch (key) {
        case VK_PRIOR:
        case VK_NEXT:
        case VK_END:
        case VK_HOME:
        case VK_LEFT:
        case VK_UP:
        case VK_RIGHT:
        case VK_DOWN:
            return true;
        default:
            return false;
    }
}

}  // namespace

void SKQNewsCtrlView::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (nFlags == MK_LBUTTON && point.y < kTitleClickHeight) {
        SKQBaseView::OnLButtonDblClk(nFlags, point);
        return;
    }
    // A grid reports a double click on one of its rows with this bit.
    if (nFlags & MK_GRIDROW)
        OnShowStory();
}

bool SKQNewsCtrlView::OnMouseWheel(UINT nFlags, short zDelta, CPoint point) {
    // The grid scrolls itself; a vertical scroll then asks for the refill.
    if (CGridoraWnd* sheet = pGetCurrSheetView()) {
        sheet->PostMessage(WM_MOUSEWHEEL,
                           MAKEWPARAM(static_cast<WORD>(nFlags), static_cast<WORD>(zDelta)),
                           MAKELPARAM(point.x, point.y));
    }
    return true;
}

void SKQNewsCtrlView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags) {
    if (nChar == VK_RETURN) {
        OnShowStory();
        return;
    }
    if (!isNavigationKey(nChar))
        return;
    CGridoraWnd* sheet = pGetCurrSheetView();
    if (sheet && sheet->bHasFocus()) {
        sheet->PostMessage(
            WM_KEYDOWN, nChar,
            static_cast<LPARAM>((nRepCnt & 0xFFFF) | (static_cast<std::uintptr_t>(nFlags) << 16)));
    }
}

void SKQNewsCtrlView::OnHScroll(UINT nSBCode, UINT nPos, CWnd* pScrollBar) {
    switch (nSBCode) {
        case SB_LINELEFT:
        case SB_PAGELEFT:
            OnKeyDown(VK_LEFT, 1, 0);
            break;
        case SB_LINERIGHT:
        case SB_PAGERIGHT:
            OnKeyDown(VK_RIGHT, 1, 0);
            break;
        default:
            break;
    }
    SKQBaseView::OnHScroll(nSBCode, nPos, pScrollBar);
}

void SKQNewsCtrlView::OnVScroll(UINT /*nSBCode*/, UINT /*nPos*/, CWnd* /*pScrollBar*/) {
    vUpdateView();
}

void SKQNewsCtrlView::OnContextMenu(CWnd* /*pWnd*/, CPoint point) {
    // The layout host owns the menu and routes its commands back to the view.
    CWnd* host = pGetLayoutWnd();
    if (!host)
        return;
    CMenu function;
    function.CreatePopupMenu();
    const bool functionItems = bInsertMainFuctionMenu(function);
    CMenu menu;
    menu.CreatePopupMenu();

    int row = -1;
    if (CGridoraWnd* sheet = pGetCurrSheetView()) {
        CPoint inSheet = point;
        sheet->ScreenToClient(&inSheet);
        row = sheet->iCalcRowNdx(inSheet);
    }
    if (row >= 0) {
        if (!m_bHideFunctionMenu)
            menu.AppendMenu(MF_SEPARATOR);
        const struct {
            UINT id;
            const char* key;
        } items[] = {
            {ID_RECOVER_STORY, "IDS_NEWSCTRLVIEW_STRING_RECOVER_STORY"},
            {ID_RECOVER_HEADLINE, "IDS_NEWSCTRLVIEW_STRING_RECOVERY_NEWS"},
            {ID_SHOW_STORY, "IDS_NEWSCTRLVIEW_STRING_DETAILED_STORY"},
            {ID_PRINT_NEWS, "IDS_NEWSCTRLVIEW_STRING_PRINT_NEWS"},
            {ID_SAVE_NEWS, "IDS_NEWSCTRLVIEW_STRING_SAVE_AS_NEWS"},
        };
        for (const auto& item : items)
            menu.AppendMenu(MF_STRING, item.id, s_LangGetLangString(item.key).c_str());
        if (!m_bHideFunctionMenu && functionItems) {
            menu.InsertMenu(0, MF_BYPOSITION | MF_POPUP, function,
                            s_LangGetLangString("IDS_QUOTEVIEW_STRING_FUNCTION").c_str());
        }
    }
    // An empty menu (a click beside every row) shows nothing.
    menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, host);
    menu.DestroyMenu();
    function.DestroyMenu();
}

void SKQNewsCtrlView::vOnEnterDown() {
    OnSearch();
}

void SKQNewsCtrlView::vShowTip(CRect rc, const CString& text) {
    if (!m_tipWnd.IsWindow())
        m_tipWnd.Create(this);
    m_tipWnd.SetHideOnClick(true);
    m_tipWnd.SetCenterText(true);
    m_tipWnd.SetAbovePoint(false);
    m_tipWnd.SetTipText("", text.c_str());
    m_tipWnd.ShowTipWindow(rc.CenterPoint(), kTipStyle, 0, kTipShowFor);
}

void SKQNewsCtrlView::vShowTipMessage(CWnd* pNear, const CString& text, int time) {
    if (!m_pTipMsg || !pNear)
        return;
    m_pTipMsg->vSetInfo(nullptr, text.c_str(), m_crTitleText, kTipMessageBack, time);
    m_pTipMsg->vShow(pNear, 0, 0, false);
}

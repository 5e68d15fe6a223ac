#include "TipPopupWnd.h"

#include <algorithm>

#include "HostApi.h"
#include "ui/WindowSystem.h"

TipPopupWnd::~TipPopupWnd() {
    DestroyWindow();
}

bool TipPopupWnd::CreatePopup(CWnd* owner) {
    if (owner && !owner->IsWindow())
        return false;
    // A top-level window: a tip may stand out over the owner's edges. The
    // owner is kept by handle, so a tip never reaches a window that is gone.
    if (!CreateEx(0, "", WS_POPUP, CRect(), nullptr, 0))
        return false;
    m_hwndOwner = owner ? owner->GetSafeHwnd() : 0;
    return true;
}

CWnd* TipPopupWnd::GetOwnerWindow() const {
    WindowSystem* system = GetWindowSystem();
    return system && m_hwndOwner ? system->FromHandle(m_hwndOwner) : nullptr;
}

CFont* TipPopupWnd::OwnerFont() const {
    const CWnd* owner = GetOwnerWindow();
    CFont* font = owner ? owner->GetFont() : nullptr;
    return font ? font : SYS_GetCurrentFont(0);
}

CRect TipPopupWnd::OnScreen(const CRect& screenRect) const {
    WindowSystem* system = GetWindowSystem();
    if (!system)
        return screenRect;
    const CRect area = system->GetFrontEnd().ScreenWorkArea(screenRect.CenterPoint());
    if (area.IsRectEmpty())
        return screenRect;
    // Right and bottom edges first, so a tip wider than the area shows its start.
    int dx = std::min(0, area.right - screenRect.right);
    dx = std::max(dx, area.left - screenRect.left);
    int dy = std::min(0, area.bottom - screenRect.bottom);
    dy = std::max(dy, area.top - screenRect.top);
    CRect moved = screenRect;
    moved.OffsetRect(dx, dy);
    return moved;
}

void TipPopupWnd::MoveTip(const CRect& screenRect) {
    MoveWindow(OnScreen(screenRect), false);
}

void TipPopupWnd::ShowAt(const CRect& screenRect, UINT elapse) {
    if (!IsWindow())
        return;
    MoveTip(screenRect);
    Invalidate(true);
    ShowWindow(SW_SHOW);
    m_uShownFor = elapse;
    if (elapse > 0) {
        SetTimer(kHideTimer, elapse);  // restarts a running one
    } else {
        KillTimer(kHideTimer);
    }
}

void TipPopupWnd::HideTip() {
    KillTimer(kHideTimer);
    ShowWindow(SW_HIDE);
}

void TipPopupWnd::OnTimer(UINT id) {
    if (id == kHideTimer)
        HideTip();
}

void TipPopupWnd::OnLButtonDown(UINT, CPoint) {
    if (m_bHideOnClick)
        HideTip();
}

bool TipPopupWnd::OnEraseBkgnd(CDC*) {
    return true;  // the tips paint every pixel
}

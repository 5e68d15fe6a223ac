#include "CXTPTabControl.h"

#include "TextMeasure.h"
#include "ui/WindowSystem.h"

CXTPTabControl::CXTPTabControl() {
    m_paintManager.SetOnChange([this] { changed(); });
}

CXTPTabControl::~CXTPTabControl() {
    // Destroy while the whole object still exists, so handlers and the front
    // end see a tab strip to the end.
    DestroyWindow();
}

bool CXTPTabControl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create("", style, rect, parent, id))
        return false;
    RecalcLayout();
    showSelectedChild();
    return true;
}

bool CXTPTabControl::UserSelect(int index) {
    if (index < 0 || index >= GetItemCount() || index == GetCurSel())
        return false;
    SetCurSel(index);
    NotifyParent(TCN_SELCHANGE);
    return true;
}

CXTPTabManagerItem* CXTPTabControl::HitTest(CPoint point) const {
    for (int i = 0; i < GetItemCount(); ++i) {
        CXTPTabManagerItem* item = GetItem(i);
        if (item->GetRect().PtInRect(point))
            return item;
    }
    return nullptr;
}

CFont* CXTPTabControl::GetCaptionFont() const {
    CFont* font = m_paintManager.GetFont();
    return font ? font : GetFont();
}

void CXTPTabControl::RecalcLayout() {
    CRect client;
    GetClientRect(&client);
    const CFont* font = GetCaptionFont();
    m_paintManager.RecalcLayout(*this, client, [font](const CString& caption) {
        return tabtext::EstimateLine(caption, font);
    });
}

void CXTPTabControl::changed() {
    RecalcLayout();
    Changed(WindowChange::Content);
    Invalidate(true);
}

void CXTPTabControl::OnItemsChanged() {
    changed();
}

void CXTPTabControl::OnSelectionChanged() {
    changed();
    showSelectedChild();
}

void CXTPTabControl::showSelectedChild() {
    WindowSystem* system = GetWindowSystem();
    if (!IsWindow() || !system)
        return;
    // Hide first, so two pages are never shown at once.
    for (int i = 0; i < GetItemCount(); ++i) {
        CWnd* child = system->FromHandle(GetItem(i)->GetHandle());
        if (child && i != GetCurSel())
            child->ShowWindow(SW_HIDE);
    }
    if (const CXTPTabManagerItem* selected = GetSelectedItem()) {
        if (CWnd* child = system->FromHandle(selected->GetHandle()))
            child->ShowWindow(SW_SHOW);
    }
}

bool CXTPTabControl::OnEraseBkgnd(CDC*) {
    return true;  // OnPaint covers every pixel
}

void CXTPTabControl::OnPaint(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    // The colour set may follow the host's scheme, which can change at any time.
    m_paintManager.GetColorSet()->RefreshMetrics();
    CFont* previous = dc.SelectObject(GetCaptionFont());
    m_paintManager.RecalcLayout(
        *this, client, [&dc](const CString& caption) { return dc.GetTextExtent(caption); });
    m_paintManager.DrawTabControl(dc, *this, client);
    dc.SelectObject(previous);
}

void CXTPTabControl::OnSize(UINT, int, int) {
    RecalcLayout();
}

void CXTPTabControl::OnLButtonDown(UINT, CPoint point) {
    if (const CXTPTabManagerItem* item = HitTest(point))
        UserSelect(item->GetIndex());
}

void CXTPTabControl::OnKeyDown(UINT key, UINT, UINT) {
    const int selected = GetCurSel();
    switch (key) {
        case VK_LEFT:
            UserSelect(selected - 1);
            break;
        case VK_RIGHT:
            UserSelect(selected + 1);
            break;
        case VK_HOME:
            UserSelect(0);
            break;
        case VK_END:
            UserSelect(GetItemCount() - 1);
            break;
        default:
            break;
    }
}

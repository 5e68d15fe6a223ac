#include "LayoutHostWnd.h"

#include <algorithm>

#include "HostApi.h"
#include "framework/SKQBaseView.h"
#include "ui/WindowSystem.h"

LayoutHostWnd::LayoutHostWnd() {
    GetMessageMap().OnRegistered(kDoPaintLayoutMessage, [this](WPARAM, LPARAM) -> LRESULT {
        ++m_paintRequests;
        invalidateGaps();
        return 0;
    });
    GetMessageMap().OnRegistered(SKQBaseView::kToggleMaximizeMessage,
                                 [this](WPARAM wParam, LPARAM) -> LRESULT {
                                     if (CWnd* view = CWnd::FromHandle(static_cast<HWND>(wParam)))
                                         ToggleMaximize(*view);
                                     return 0;
                                 });
}

bool LayoutHostWnd::Create(const CRect& rect, CWnd* parent) {
    const DWORD style = WS_VISIBLE | WS_CLIPCHILDREN | (parent ? WS_CHILD : 0);
    return CWnd::Create("", style, rect, parent, 0);
}

void LayoutHostWnd::dropGoneViews() {
    std::erase_if(m_views, [this](HWND handle) {
        CWnd* view = CWnd::FromHandle(handle);
        return !view || view->GetParent() != this;
    });
    if (m_maximized && std::find(m_views.begin(), m_views.end(), m_maximized) == m_views.end())
        m_maximized = 0;
}

void LayoutHostWnd::AddView(CWnd& view) {
    if (!view.IsWindow() || view.GetParent() != this)
        return;
    if (std::find(m_views.begin(), m_views.end(), view.GetSafeHwnd()) != m_views.end())
        return;
    m_views.push_back(view.GetSafeHwnd());
    if (!m_lastActive)
        m_lastActive = view.GetSafeHwnd();
    Arrange();
}

void LayoutHostWnd::RemoveView(const CWnd& view) {
    const HWND handle = view.GetSafeHwnd();
    std::erase(m_views, handle);
    if (m_maximized == handle)
        m_maximized = 0;
    if (m_lastActive == handle)
        m_lastActive = 0;
    Arrange();
}

std::vector<CWnd*> LayoutHostWnd::Views() const {
    std::vector<CWnd*> views;
    for (const HWND handle : m_views) {
        if (CWnd* view = CWnd::FromHandle(handle))
            views.push_back(view);
    }
    return views;
}

CRect LayoutHostWnd::cellRect(const CRect& client, int index, int count) {
    if (count <= 0)
        return client;
    // One view fills the window; more take two columns, the first (the main
    // view) three fifths of the width, and rows as needed.
    const int columns = count == 1 ? 1 : 2;
    const int rows = (count + columns - 1) / columns;
    const int column = index % columns;
    const int row = index / columns;
    const int width = std::max(0, client.Width() - kGap * (columns + 1));
    const int height = std::max(0, client.Height() - kGap * (rows + 1));
    const int firstWidth = columns == 1 ? width : width * 3 / 5;
    const int left = client.left + kGap + (column == 0 ? 0 : firstWidth + kGap);
    const int right = column == 0 && columns > 1 ? left + firstWidth : client.right - kGap;
    const int top = client.top + kGap + row * (height / rows + kGap);
    // The last row takes what division left over.
    const int bottom = row == rows - 1 ? client.bottom - kGap : top + height / rows;
    return CRect(left, top, std::max(left, right), std::max(top, bottom));
}

CRect LayoutHostWnd::NextViewRect() const {
    CRect client;
    GetClientRect(&client);
    const int count = static_cast<int>(m_views.size()) + 1;
    return cellRect(client, count - 1, count);
}

UINT LayoutHostWnd::NextViewId() const {
    UINT id = kFirstViewId;
    while (GetDlgItem(static_cast<int>(id)))
        ++id;
    return id;
}

void LayoutHostWnd::Arrange() {
    dropGoneViews();
    CRect client;
    GetClientRect(&client);
    const int count = static_cast<int>(m_views.size());
    for (int i = 0; i < count; ++i) {
        CWnd* view = CWnd::FromHandle(m_views[static_cast<std::size_t>(i)]);
        if (!view)
            continue;
        if (m_maximized) {
            const bool isIt = view->GetSafeHwnd() == m_maximized;
            if (isIt) {
                CRect full = client;
                full.DeflateRect(kGap, kGap);
                view->MoveWindow(full);
            }
            view->ShowWindow(isIt ? SW_SHOW : SW_HIDE);
        } else {
            view->MoveWindow(cellRect(client, i, count));
            view->ShowWindow(SW_SHOW);
        }
    }
    Invalidate(true);
}

CWnd* LayoutHostWnd::ActiveView() const {
    // The view that holds the focus, directly or through one of its controls.
    if (CWnd* focus = CWnd::GetFocus()) {
        for (CWnd* w = focus; w; w = w->GetParent()) {
            if (w->GetParent() == this &&
                std::find(m_views.begin(), m_views.end(), w->GetSafeHwnd()) != m_views.end()) {
                m_lastActive = w->GetSafeHwnd();
                return w;
            }
        }
    }
    if (CWnd* last = CWnd::FromHandle(m_lastActive); last && last->GetParent() == this)
        return last;
    for (const HWND handle : m_views) {
        if (CWnd* view = CWnd::FromHandle(handle))
            return view;
    }
    return nullptr;
}

void LayoutHostWnd::SetActiveView(const CWnd* view) {
    m_lastActive = view ? view->GetSafeHwnd() : 0;
}

bool LayoutHostWnd::ToggleMaximize(const CWnd& view) {
    const HWND handle = view.GetSafeHwnd();
    if (std::find(m_views.begin(), m_views.end(), handle) == m_views.end())
        return false;
    m_maximized = m_maximized == handle ? 0 : handle;
    Arrange();
    return true;
}

void LayoutHostWnd::invalidateGaps() {
    // Only the strips around the views: invalidating a view's own area would
    // make it erase again, and post again, for ever.
    for (CWnd* view : Views()) {
        if (!view->IsWindowVisible())
            continue;
        const CRect r = view->GetRect();
        const CRect strips[] = {
            CRect(r.left - kGap, r.top - kGap, r.right + kGap, r.top),
            CRect(r.left - kGap, r.bottom, r.right + kGap, r.bottom + kGap),
            CRect(r.left - kGap, r.top, r.left, r.bottom),
            CRect(r.right, r.top, r.right + kGap, r.bottom),
        };
        for (const CRect& strip : strips)
            InvalidateRect(&strip, false);
    }
}

CWnd* LayoutHostWnd::MaximizedView() const {
    return CWnd::FromHandle(m_maximized);
}

LRESULT LayoutHostWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A menu command (no control handle) goes to the view that showed the menu.
    if (message == WM_COMMAND && lParam == 0) {
        if (CWnd* view = ActiveView()) {
            ++m_routedCommands;
            return view->SendMessage(WM_COMMAND, wParam, lParam);
        }
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void LayoutHostWnd::OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {
    Arrange();
}

bool LayoutHostWnd::OnEraseBkgnd(CDC* dc) {
    if (!dc)
        return false;
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client, SYS_crGetOtherColor("COLOR_TAB_BORDER"));
    return true;
}

void LayoutHostWnd::OnPaint(CDC& dc) {
    // The gaps, and a frame line around each view so adjoining views part.
    CRect client;
    GetClientRect(&client);
    const COLORREF gap = SYS_crGetOtherColor("COLOR_TAB_BORDER");
    const COLORREF frame = SYS_crGetOtherColor("COLOR_VIEW_TITLEBK");
    dc.FillSolidRect(client, gap);
    for (CWnd* view : Views()) {
        if (!view->IsWindowVisible())
            continue;
        CRect r = view->GetRect();
        r.DeflateRect(-1, -1);
        dc.DrawLine(CPoint(r.left, r.top), CPoint(r.right - 1, r.top), frame);
        dc.DrawLine(CPoint(r.left, r.bottom - 1), CPoint(r.right - 1, r.bottom - 1), frame);
        dc.DrawLine(CPoint(r.left, r.top), CPoint(r.left, r.bottom - 1), frame);
        dc.DrawLine(CPoint(r.right - 1, r.top), CPoint(r.right - 1, r.bottom - 1), frame);
    }
}

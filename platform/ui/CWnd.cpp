#include "CWnd.h"

#include <algorithm>

#include "WindowSystem.h"

CWnd::CWnd() = default;

CWnd::~CWnd() {
    DestroyWindow();
    detachFromParent();
}

bool CWnd::Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CreateEx(0, text, style, rect, parent, id);
}

bool CWnd::CreateEx(DWORD exStyle, const char* text, DWORD style, const CRect& rect, CWnd* parent,
                    UINT id) {
    if (m_hWnd)
        return false;  // one window per object
    if (parent && !parent->IsWindow())
        return false;
    m_system = parent ? parent->m_system : &WindowSystem::Current();
    m_hWnd = m_system->Attach(*this);
    m_parent = parent;
    if (parent)
        parent->m_children.push_back(this);
    m_exStyle = exStyle;
    m_style = style;
    m_rect = rect;
    m_text = text ? text : "";
    m_id = id;
    if (SendMessage(WM_CREATE) == -1) {
        DestroyWindow();
        return false;
    }
    Changed(WindowChange::Created);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(m_rect.Width(), m_rect.Height()));
    return true;
}

bool CWnd::DestroyWindow() {
    if (!m_hWnd)
        return false;
    // Children go first, the last created first.
    while (!m_children.empty()) {
        CWnd* child = m_children.back();
        if (child->IsWindow()) {
            child->DestroyWindow();
        }
        child->detachFromParent();
    }
    SendMessage(WM_DESTROY);
    Changed(WindowChange::Destroyed);
    m_system->Detach(m_hWnd);
    m_hWnd = 0;
    detachFromParent();
    return true;
}

void CWnd::detachFromParent() {
    if (!m_parent)
        return;
    auto& siblings = m_parent->m_children;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    m_parent = nullptr;
}

CWnd* CWnd::GetDlgItem(int id) const {
    for (CWnd* child : m_children) {
        if (child->GetDlgCtrlID() == id)
            return child;
    }
    for (CWnd* child : m_children) {
        if (CWnd* found = child->GetDlgItem(id))
            return found;
    }
    return nullptr;
}

CWnd* CWnd::GetTopLevelParent() {
    CWnd* window = this;
    while (window->m_parent)
        window = window->m_parent;
    return window;
}

CWnd* CWnd::FromHandle(HWND handle) {
    WindowSystem* system = WindowSystem::CurrentOrNull();
    return system ? system->FromHandle(handle) : nullptr;
}

void CWnd::MoveWindow(const CRect& rect, bool repaint) {
    if (!m_hWnd)
        return;
    const bool resized = rect.Width() != m_rect.Width() || rect.Height() != m_rect.Height();
    if (rect == m_rect)
        return;
    m_rect = rect;
    Changed(WindowChange::Moved);
    if (resized)
        SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect.Width(), rect.Height()));
    if (repaint)
        Invalidate(true);
}

void CWnd::GetClientRect(CRect* rect) const {
    if (rect)
        *rect = CRect(0, 0, m_rect.Width(), m_rect.Height());
}

void CWnd::ClientToScreen(CPoint* point) const {
    if (!point)
        return;
    const CWnd* window = this;
    while (window) {
        point->x += window->m_rect.left;
        point->y += window->m_rect.top;
        if (!window->m_parent)
            break;
        window = window->m_parent;
    }
    // A top-level window's own rectangle is where the front end placed it.
    if (window && m_system) {
        const CPoint origin = m_system->GetFrontEnd().ScreenOrigin(*window);
        point->x += origin.x - window->m_rect.left;
        point->y += origin.y - window->m_rect.top;
    }
}

void CWnd::ClientToScreen(CRect* rect) const {
    if (!rect)
        return;
    CPoint topLeft = rect->TopLeft();
    ClientToScreen(&topLeft);
    rect->OffsetRect(topLeft.x - rect->left, topLeft.y - rect->top);
}

void CWnd::ScreenToClient(CPoint* point) const {
    if (!point)
        return;
    CPoint origin;
    ClientToScreen(&origin);
    point->x -= origin.x;
    point->y -= origin.y;
}

void CWnd::ScreenToClient(CRect* rect) const {
    if (!rect)
        return;
    CPoint origin;
    ClientToScreen(&origin);
    rect->OffsetRect(-origin.x, -origin.y);
}

void CWnd::GetWindowRect(CRect* rect) const {
    if (!rect)
        return;
    GetClientRect(rect);
    ClientToScreen(rect);
}

bool CWnd::ShowWindow(int command) {
    const bool wasVisible = (m_style & WS_VISIBLE) != 0;
    const bool show = command != SW_HIDE;
    if (!m_hWnd || show == wasVisible)
        return wasVisible;
    if (show) {
        m_style |= WS_VISIBLE;
    } else {
        m_style &= ~WS_VISIBLE;
    }
    SendMessage(WM_SHOWWINDOW, show ? 1 : 0, 0);
    Changed(WindowChange::Shown);
    return wasVisible;
}

void CWnd::BringWindowToTop() {
    if (m_hWnd)
        Changed(WindowChange::Raised);
}

bool CWnd::IsWindowVisible() const {
    for (const CWnd* window = this; window; window = window->m_parent) {
        if (!window->m_hWnd || (window->m_style & WS_VISIBLE) == 0)
            return false;
    }
    return true;
}

bool CWnd::EnableWindow(bool enable) {
    const bool wasDisabled = !IsWindowEnabled();
    if (!m_hWnd || enable == !wasDisabled)
        return wasDisabled;
    if (enable) {
        m_style &= ~WS_DISABLED;
    } else {
        m_style |= WS_DISABLED;
    }
    SendMessage(WM_ENABLE, enable ? 1 : 0, 0);
    Changed(WindowChange::Enabled);
    return wasDisabled;
}

void CWnd::SetWindowText(const char* text) {
    const CString next(text ? text : "");
    if (next == m_text)
        return;
    m_text = next;
    Changed(WindowChange::Text);
}

void CWnd::SetFont(CFont* font, bool redraw) {
    m_font = font;
    Changed(WindowChange::Font);
    if (redraw)
        Invalidate(true);
}

bool CWnd::ModifyStyle(DWORD remove, DWORD add) {
    const DWORD next = (m_style & ~remove) | add;
    if (next == m_style)
        return false;
    const bool visibility = ((next ^ m_style) & WS_VISIBLE) != 0;
    const bool enabled = ((next ^ m_style) & WS_DISABLED) != 0;
    m_style = next;
    Changed(WindowChange::Style);
    if (visibility)
        Changed(WindowChange::Shown);
    if (enabled)
        Changed(WindowChange::Enabled);
    return true;
}

void CWnd::Invalidate(bool erase) {
    InvalidateRect(nullptr, erase);
}

void CWnd::InvalidateRect(const CRect* rect, bool erase) {
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    m_system->GetFrontEnd().Invalidate(*this, rect ? rect->Intersect(client) : client, erase);
}

void CWnd::UpdateWindow() {
    if (m_hWnd)
        m_system->GetFrontEnd().Update(*this);
}

void CWnd::PaintInto(CDC& dc, bool erase) {
    if (!m_hWnd)
        return;
    if (erase)
        SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(&dc));
    SendMessage(WM_PAINT, reinterpret_cast<WPARAM>(&dc));
}

CWnd* CWnd::SetFocus() {
    CWnd* previous = GetFocus();
    if (m_hWnd)
        m_system->SetFocus(this);
    return previous;
}

CWnd* CWnd::GetFocus() {
    WindowSystem* system = WindowSystem::CurrentOrNull();
    return system ? system->GetFocus() : nullptr;
}

bool CWnd::HasFocus() const {
    return m_hWnd && GetFocus() == this;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd)
        return 0;
    return WindowProc(message, wParam, lParam);
}

bool CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!m_hWnd)
        return false;
    return m_system->Post(m_hWnd, message, wParam, lParam);
}

UINT CWnd::SetTimer(UINT id, UINT elapse) {
    if (!m_hWnd)
        return 0;
    m_system->SetTimer(m_hWnd, id, elapse);
    return id;
}

bool CWnd::KillTimer(UINT id) {
    return m_hWnd && m_system->KillTimer(m_hWnd, id);
}

void CWnd::Changed(WindowChange change) {
    if (m_hWnd || change == WindowChange::Destroyed) {
        if (m_system)
            m_system->GetFrontEnd().WindowChanged(*this, change);
    }
}

void CWnd::NotifyParent(WORD code) {
    if (m_parent && m_hWnd) {
        m_parent->SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(m_id), code),
                              static_cast<LPARAM>(m_hWnd));
    }
}

LRESULT CWnd::NotifyParent(UINT code, NMHDR* header) {
    if (!m_parent || !m_hWnd)
        return 0;
    NMHDR local;
    NMHDR& h = header ? *header : local;
    h.hwndFrom = m_hWnd;
    h.idFrom = m_id;
    h.code = code;
    return m_parent->SendMessage(WM_NOTIFY, m_id, reinterpret_cast<LPARAM>(&h));
}

void CWnd::OnContextMenu(CWnd* window, CPoint point) {
    if (m_parent) {
        m_parent->SendMessage(WM_CONTEXTMENU,
                              static_cast<WPARAM>(window ? window->GetSafeHwnd() : 0),
                              MAKELPARAM(point.x, point.y));
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (m_map.Dispatch(message, wParam, lParam, result))
        return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_DESTROY:
            OnDestroy();
            return 0;
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(static_cast<std::uintptr_t>(lParam)),
                   HIWORD(static_cast<std::uintptr_t>(lParam)));
            return 0;
        case WM_ERASEBKGND:
            return OnEraseBkgnd(reinterpret_cast<CDC*>(wParam)) ? 1 : 0;
        case WM_PAINT:
            if (wParam)
                OnPaint(*reinterpret_cast<CDC*>(wParam));
            return 0;
        case WM_TIMER:
            OnTimer(static_cast<UINT>(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnLButtonDown(static_cast<UINT>(wParam), point);
            return 0;
        case WM_LBUTTONUP:
            OnLButtonUp(static_cast<UINT>(wParam), point);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLButtonDblClk(static_cast<UINT>(wParam), point);
            return 0;
        case WM_RBUTTONDOWN:
            OnRButtonDown(static_cast<UINT>(wParam), point);
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(static_cast<UINT>(wParam), point);
            return 0;
        case WM_MOUSEWHEEL:
            return OnMouseWheel(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), point) ? 1 : 0;
        case WM_KEYDOWN:
            OnKeyDown(static_cast<UINT>(wParam), static_cast<UINT>(lParam & 0xFFFF),
                      static_cast<UINT>(lParam >> 16));
            return 0;
        case WM_CHAR:
            OnChar(static_cast<UINT>(wParam), static_cast<UINT>(lParam & 0xFFFF),
                   static_cast<UINT>(lParam >> 16));
            return 0;
        case WM_HSCROLL:
            OnHScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(static_cast<HWND>(lParam)));
            return 0;
        case WM_VSCROLL:
            OnVScroll(LOWORD(wParam), HIWORD(wParam), FromHandle(static_cast<HWND>(lParam)));
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(FromHandle(static_cast<HWND>(wParam)), point);
            return 0;
        case WM_SETFOCUS:
            OnSetFocus(FromHandle(static_cast<HWND>(wParam)));
            return 0;
        case WM_KILLFOCUS:
            OnKillFocus(FromHandle(static_cast<HWND>(wParam)));
            return 0;
        case WM_CLOSE:
            // As on Windows: closing a window destroys it unless a handler says otherwise.
            DestroyWindow();
            return 0;
        case WM_CTLCOLOR:
            return reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<CDC*>(wParam),
                                                        FromHandle(static_cast<HWND>(lParam)), 0));
        default:
            return 0;
    }
}

#pragma once
// CWnd: a window of the layer. It has a handle while it exists, a parent and
// children, a control id, a rectangle relative to its parent's client area,
// style bits (visibility and the disabled state among them), a text and a
// font. It receives messages through its message map first and its virtual
// handlers second. Front ends mirror it; nothing here draws by itself.
#include <vector>

#include "CDC.h"
#include "CFont.h"
#include "CString.h"
#include "FrontEnd.h"
#include "Geometry.h"
#include "MessageMap.h"
#include "WinDefs.h"

class WindowSystem;

enum class WindowKind {
    Window,  // a plain window that paints itself (views, panels)
    Button,  // push button, radio button, group box
    Edit,
    ComboBox,
    ListBox,
    ListView,
    Static,
    DateTime,
    RichEdit,
    Grid,
    TabControl,
    Tip,
    Dialog,
};

// The mouse pointer's shape over a window, for front ends that show one.
enum class CursorShape {
    Arrow,
    SizeWE,  // a border that can be dragged left and right
};

class CWnd {
  public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    virtual WindowKind GetKind() const { return WindowKind::Window; }
    // The pointer's shape over a point of the client area.
    virtual CursorShape GetCursorAt(CPoint /*point*/) const { return CursorShape::Arrow; }

    // Creation and destruction. Create sends WM_CREATE (a result of -1 undoes
    // the creation) and, for a visible window, tells the front end. Destroying
    // a window destroys its child windows first; the C++ objects stay.
    bool Create(const char* text, DWORD style, const CRect& rect, CWnd* parent, UINT id);
    bool CreateEx(DWORD exStyle, const char* text, DWORD style, const CRect& rect, CWnd* parent,
                  UINT id);
    virtual bool DestroyWindow();
    HWND GetSafeHwnd() const { return m_hWnd; }
    bool IsWindow() const { return m_hWnd != 0; }
    WindowSystem* GetWindowSystem() const { return m_system; }

    // The tree.
    CWnd* GetParent() const { return m_parent; }
    const std::vector<CWnd*>& GetChildren() const { return m_children; }
    // The first child (direct or deeper) with this control id.
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    void SetDlgCtrlID(int id) { m_id = static_cast<UINT>(id); }
    CWnd* GetTopLevelParent();
    static CWnd* FromHandle(HWND handle);

    // Geometry.
    void MoveWindow(const CRect& rect, bool repaint = true);
    void MoveWindow(int x, int y, int width, int height, bool repaint = true) {
        MoveWindow(CRect(x, y, x + width, y + height), repaint);
    }
    const CRect& GetRect() const { return m_rect; }  // relative to the parent's client area
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;  // in screen coordinates
    void ClientToScreen(CPoint* point) const;
    void ClientToScreen(CRect* rect) const;
    void ScreenToClient(CPoint* point) const;
    void ScreenToClient(CRect* rect) const;

    // State.
    bool ShowWindow(int command);           // returns whether it was visible before
    bool IsWindowVisible() const;           // this window and every parent visible
    bool EnableWindow(bool enable = true);  // returns whether it was disabled before
    bool IsWindowEnabled() const { return (m_style & WS_DISABLED) == 0; }
    virtual void SetWindowText(const char* text);
    void SetWindowText(const CString& text) { SetWindowText(text.c_str()); }
    virtual CString GetWindowText() const { return m_text; }
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const { return GetWindowText().GetLength(); }
    void SetFont(CFont* font, bool redraw = true);
    CFont* GetFont() const { return m_font; }
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    bool ModifyStyle(DWORD remove, DWORD add);
    // Puts a top-level window in front of the others (a front end's matter).
    void BringWindowToTop();

    // Painting.
    void Invalidate(bool erase = true);
    void InvalidateRect(const CRect* rect, bool erase = true);
    void UpdateWindow();
    // For front ends: paints the window into `dc`, erasing first when asked.
    void PaintInto(CDC& dc, bool erase);

    // Focus.
    CWnd* SetFocus();  // returns the window that had the focus
    static CWnd* GetFocus();
    bool HasFocus() const;

    // Messages and timers.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    UINT SetTimer(UINT id, UINT elapse);
    bool KillTimer(UINT id);

    MessageMap& GetMessageMap() { return m_map; }

  protected:
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Handlers for messages the map did not take. Defaults do nothing (or
    // what the comment says).
    virtual int OnCreate() { return 0; }
    virtual void OnDestroy() {}
    virtual void OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {}
    virtual bool OnEraseBkgnd(CDC* /*dc*/) { return false; }
    virtual void OnPaint(CDC& /*dc*/) {}
    virtual void OnTimer(UINT /*id*/) {}
    virtual void OnLButtonDown(UINT /*flags*/, CPoint /*point*/) {}
    virtual void OnLButtonUp(UINT /*flags*/, CPoint /*point*/) {}
    virtual void OnLButtonDblClk(UINT /*flags*/, CPoint /*point*/) {}
    virtual void OnRButtonDown(UINT /*flags*/, CPoint /*point*/) {}
    virtual void OnMouseMove(UINT /*flags*/, CPoint /*point*/) {}
    virtual bool OnMouseWheel(UINT /*flags*/, short /*delta*/, CPoint /*point*/) { return false; }
    virtual void OnKeyDown(UINT /*key*/, UINT /*repeat*/, UINT /*flags*/) {}
    virtual void OnChar(UINT /*ch*/, UINT /*repeat*/, UINT /*flags*/) {}
    virtual void OnHScroll(UINT /*code*/, UINT /*pos*/, CWnd* /*bar*/) {}
    virtual void OnVScroll(UINT /*code*/, UINT /*pos*/, CWnd* /*bar*/) {}
    // Default: passes the message up to the parent, as unhandled context
    // menus go to the window that owns the control.
    virtual void OnContextMenu(CWnd* window, CPoint point);
    virtual void OnSetFocus(CWnd* /*previous*/) {}
    virtual void OnKillFocus(CWnd* /*next*/) {}
    // Control colours: returns the brush for the control's background, or null.
    virtual const CBrush* OnCtlColor(CDC* /*dc*/, CWnd* /*control*/, UINT /*kind*/) {
        return nullptr;
    }

    // Tells the front end that something of this window changed.
    void Changed(WindowChange change);
    // Sends WM_COMMAND with `code` to the parent, as controls notify.
    void NotifyParent(WORD code);
    // Sends WM_NOTIFY with `code` to the parent; returns its result.
    LRESULT NotifyParent(UINT code, NMHDR* header = nullptr);

  private:
    void detachFromParent();

    HWND m_hWnd = 0;
    WindowSystem* m_system = nullptr;
    CWnd* m_parent = nullptr;
    std::vector<CWnd*> m_children;
    UINT m_id = 0;
    CRect m_rect;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    CString m_text;
    CFont* m_font = nullptr;
    MessageMap m_map;
};

#pragma once
// The window that lays the views out: every view is its child, placed in a
// grid of cells with a gap between them, which this window paints (one view
// fills it; more take two columns, the first one wider). A view
// posts "KQMSG_DOPAINTLAYOUT" whenever it erases its background (the gaps are
// repainted then) and "KQMSG_TOGGLEMAXIMIZE" when the person double-clicks
// its title strip (the view fills the window, or the cells come back).
//
// It also owns the views' context menus: a command chosen in one comes to
// this window and goes on to the active view, the one that holds the focus
// (a click into a view focuses it), else the one that held it last.
//
// It is the host's main frame as modules see it (CMainFrame).
#include <vector>

#include "framework/CMainFrame.h"
#include "ui/CWnd.h"

class LayoutHostWnd : public CWnd, public CMainFrame {
  public:
    static constexpr int kGap = 4;
    static constexpr const char* kDoPaintLayoutMessage = "KQMSG_DOPAINTLAYOUT";
    // Child ids of the views, from the first pane id on.
    static constexpr UINT kFirstViewId = 0xE900;

    LayoutHostWnd();

    bool Create(const CRect& rect, CWnd* parent = nullptr);

    // Views in the order they are laid out. A view must be a child window of
    // this one; it is placed at once. Views that are gone are dropped.
    void AddView(CWnd& view);
    void RemoveView(const CWnd& view);
    std::vector<CWnd*> Views() const;
    // Where a view added now would go (for creating it in place).
    CRect NextViewRect() const;
    // A free child id for the next view.
    UINT NextViewId() const;
    void Arrange();

    CWnd* ActiveView() const;
    void SetActiveView(const CWnd* view);

    // Maximises the view (the others are hidden) or restores the cells.
    // False for a window that is not one of the views.
    bool ToggleMaximize(const CWnd& view);
    CWnd* MaximizedView() const;

    // How many times a view asked for the gaps to be painted.
    int PaintLayoutRequests() const { return m_paintRequests; }
    // How many commands went on to a view, and to which view last.
    int RoutedCommands() const { return m_routedCommands; }

  protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnSize(UINT type, int cx, int cy) override;
    bool OnEraseBkgnd(CDC* dc) override;
    void OnPaint(CDC& dc) override;

  private:
    // The cell of view `index` of `count` in a client rectangle.
    static CRect cellRect(const CRect& client, int index, int count);
    void dropGoneViews();
    void invalidateGaps();

    std::vector<HWND> m_views;
    HWND m_maximized = 0;
    mutable HWND m_lastActive = 0;
    int m_paintRequests = 0;
    int m_routedCommands = 0;
};

#pragma once
// A tab strip window. It shows the tabs of its manager side by side and lets
// a person pick one with the mouse or the arrow keys; a person's pick changes
// the selection and then tells the parent with WM_NOTIFY TCN_SELCHANGE from
// the strip's control id. Selecting from code (SetCurSel) tells nobody.
#include "CXTPTabManager.h"
#include "CXTPTabPaintManager.h"
#include "ui/CWnd.h"

class CXTPTabControl : public CWnd, public CXTPTabManager {
  public:
    CXTPTabControl();
    ~CXTPTabControl() override;

    WindowKind GetKind() const override { return WindowKind::TabControl; }

    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);

    CXTPTabPaintManager* GetPaintManager() { return &m_paintManager; }
    const CXTPTabPaintManager* GetPaintManager() const { return &m_paintManager; }

    // A person chose a tab (a click, a key, or a front end's own tab bar):
    // selects it and notifies the parent. False, and no notification, for an
    // index out of range or the tab already selected.
    bool UserSelect(int index);

    // The tab under a point in client coordinates, or null.
    CXTPTabManagerItem* HitTest(CPoint point) const;

    // The font captions are drawn in: the paint manager's, else the window's.
    CFont* GetCaptionFont() const;

    // Lays the tabs out again with estimated caption widths; painting lays
    // them out with the device context's own measure.
    void RecalcLayout();

  protected:
    void OnItemsChanged() override;
    void OnSelectionChanged() override;

    void OnPaint(CDC& dc) override;
    bool OnEraseBkgnd(CDC* dc) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;

  private:
    void changed();
    void showSelectedChild();

    CXTPTabPaintManager m_paintManager;
};

#pragma once
// The demo's one window, built from the window layer: a tab strip, a combo
// box of news categories, a search button and a grid of headlines.
#include <functional>
#include <memory>

#include "ui/CWnd.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CComboBox.h"
#include "ui/grid/CGridoraWnd.h"
#include "ui/tab/CXTPTabControl.h"

class DemoPanel : public CWnd {
  public:
    // Builds the controls and fills the grid with `rows` headlines.
    bool Build(const CRect& rect, int rows);
    // Called when the window has been closed.
    std::function<void()> onClosed;

  protected:
    void OnSize(UINT type, int cx, int cy) override;
    bool OnEraseBkgnd(CDC* dc) override;
    void OnDestroy() override {
        if (onClosed)
            onClosed();
    }

  private:
    void fillCategories();
    void fillGrid(int rows);
    void applyColours();

    CXTPTabControl m_tabs;
    CComboBox m_category;
    CButton m_search;
    std::unique_ptr<CGridoraWnd> m_grid;
};

#pragma once
// What both tip windows share: a hidden top-level popup that belongs to an
// owner window, is shown at a screen rectangle for a while and hides itself
// when its time is up (or when clicked). Showing again moves it and starts
// the time afresh.
#include "ui/CWnd.h"

class TipPopupWnd : public CWnd {
  public:
    ~TipPopupWnd() override;

    WindowKind GetKind() const override { return WindowKind::Tip; }

    // The owner window, or null when it is gone.
    CWnd* GetOwnerWindow() const;

    // A click on the tip hides it (on by default).
    void SetHideOnClick(bool hide) { m_bHideOnClick = hide; }
    bool GetHideOnClick() const { return m_bHideOnClick; }

    // Milliseconds the tip has been given when it was last shown (0: until hidden).
    UINT GetShownFor() const { return m_uShownFor; }

  protected:
    static constexpr UINT kHideTimer = 1;

    TipPopupWnd() = default;
    bool CreatePopup(CWnd* owner);
    // Shows the tip at `screenRect` (moved onto the screen, see OnScreen)
    // and hides it after `elapse` ms (0: stays).
    void ShowAt(const CRect& screenRect, UINT elapse);
    // Moves the shown tip to `screenRect`, kept on the screen as ShowAt does.
    void MoveTip(const CRect& screenRect);
    // The rectangle moved the least that puts it whole inside the screen's
    // work area around its middle; one larger than the area keeps its top
    // left corner inside.
    CRect OnScreen(const CRect& screenRect) const;
    void HideTip();
    // The font the owner draws with, else the host's normal font.
    CFont* OwnerFont() const;

    void OnTimer(UINT id) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    bool OnEraseBkgnd(CDC* dc) override;

  private:
    HWND m_hwndOwner = 0;
    bool m_bHideOnClick = true;
    UINT m_uShownFor = 0;
};

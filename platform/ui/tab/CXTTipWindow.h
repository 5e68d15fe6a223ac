#pragma once
// The balloon tip: a small top-level window with an optional title and a
// text, shown centred on a screen point for a while, in the owner's font and
// the host scheme's tip colours. A new tip replaces the one showing and its
// time starts afresh.
#include "TipPopupWnd.h"

// Tip styles (bits).
constexpr DWORD kTipStyleShadow = 0x0001;       // a shadow down and to the right
constexpr DWORD kTipStyleThickBorder = 0x0002;  // a two-pixel frame

class CXTTipWindow : public TipPopupWnd {
  public:
    static constexpr int kPadding = 6;
    static constexpr int kShadow = 3;
    static constexpr int kTitleGap = 2;

    CXTTipWindow() = default;

    // Creates the tip hidden; `parent` owns it (its font is the tip's).
    bool Create(CWnd* parent);

    void SetTipText(const char* title, const char* text);
    const CString& GetTipTitle() const { return m_strTitle; }
    const CString& GetTipText() const { return m_strText; }

    // Shows the tip centred on `screenPoint` after `delay` ms, for `elapse` ms
    // (0: until hidden). `style` is a combination of kTipStyle... bits.
    void ShowTipWindow(CPoint screenPoint, DWORD style = kTipStyleShadow, UINT delay = 0,
                       UINT elapse = 5000);
    void HideTipWindow();
    DWORD GetTipStyle() const { return m_dwStyle; }

    // Options a caller sets before each tip (the click option is the base's).
    // Lines centred in the tip rather than left-aligned (off by default).
    void SetCenterText(bool center);
    bool GetCenterText() const { return m_bCenterText; }
    // The tip stands just above the point instead of centred on it (off by default).
    void SetAbovePoint(bool above) { m_bAbovePoint = above; }
    bool GetAbovePoint() const { return m_bAbovePoint; }

  protected:
    void OnPaint(CDC& dc) override;
    void OnTimer(UINT id) override;

  private:
    static constexpr UINT kDelayTimer = 2;
    CRect tipRect(CPoint point) const;
    int shadow() const { return (m_dwStyle & kTipStyleShadow) ? kShadow : 0; }

    CString m_strTitle;
    CString m_strText;
    DWORD m_dwStyle = kTipStyleShadow;
    CPoint m_ptTip;
    UINT m_uElapse = 0;
    bool m_bCenterText = false;
    bool m_bAbovePoint = false;
};

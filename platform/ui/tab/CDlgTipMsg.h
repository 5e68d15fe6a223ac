#pragma once
// The tip popup: a modeless notice shown near a window for a while, in the
// colours its caller chooses. It is a plain top-level window that paints its
// own text (it has no controls), created from its template id; the window
// sizes itself to the text each time it is shown.
#include "TipPopupWnd.h"

class CDlgTipMsg : public TipPopupWnd {
  public:
    enum { IDD = 8047 };  // the popup's template id
    static constexpr int kPaddingX = 16;
    static constexpr int kPaddingY = 8;
    static constexpr int kMinWidth = 120;
    static constexpr int kTopGap = 40;  // how far below the window's top edge, at most

    explicit CDlgTipMsg(CWnd* parent = nullptr) : m_pParent(parent) {}

    // Creates the popup hidden. False for another template id, or when it
    // exists already. A null parent means the one given at construction.
    bool Create(UINT templateId, CWnd* parent = nullptr);

    // Not owned.
    void vSetFont(CFont* font) { SetFont(font); }

    // What the next vShow shows: `anchor` is the window to show near when
    // vShow names none; `time` in milliseconds (0 or less: until stopped).
    void vSetInfo(CWnd* anchor, const char* text, COLORREF textColour, COLORREF backColour,
                  int time);

    // Shows the popup centred over the top part of `pNear` (in screen
    // coordinates, moved by the offsets) and hides it when its time is up;
    // with `keep` it stays until vStop. Showing again restarts the time.
    // False when the popup has no window.
    bool vShow(CWnd* pNear, int offsetX, int offsetY, bool keep);
    // Hides at once.
    void vStop();

    const CString& GetText() const { return m_strText; }
    COLORREF GetTextColour() const { return m_crText; }
    COLORREF GetBackColour() const { return m_crBack; }
    int GetTime() const { return m_iTime; }

  protected:
    void OnPaint(CDC& dc) override;

  private:
    CRect popupRect() const;

    CWnd* m_pParent;
    HWND m_hwndAnchor = 0;
    HWND m_hwndNear = 0;
    int m_iOffsetX = 0;
    int m_iOffsetY = 0;
    CString m_strText;
    COLORREF m_crText = RGB(0, 0, 0);
    COLORREF m_crBack = RGB(0xFF, 0xFF, 0xFF);
    int m_iTime = 0;
};

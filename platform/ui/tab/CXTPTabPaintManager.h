#pragma once
// How a tab strip looks and where its tabs lie: the appearance, the colour
// set, the themed accent and the font, the layout of the tabs (side by side,
// each as wide as its caption plus padding, squeezed evenly when the strip is
// too narrow) and the drawing.
#include <functional>
#include <memory>
#include <optional>

#include "CFont.h"
#include "CXTPTabColorSet.h"
#include "ui/CDC.h"
#include "ui/Geometry.h"

class CXTPTabManager;

enum TabAppearanceStyle : int {
    tabAppearanceBox = 0,           // framed tabs on a base line
    tabAppearanceButton = 1,        // separate framed buttons, no base line
    tabAppearanceFlat = 2,          // no frames; only the selected tab is filled
    tabAppearancePropertyPage = 3,  // framed tabs; the selected one opens into the page below
};

class CXTPTabPaintManager {
  public:
    // Spacing of the layout, in pixels.
    static constexpr int kMargin = 2;   // before the first tab
    static constexpr int kPadding = 8;  // each side of a caption
    static constexpr int kMinWidth = 16;
    static constexpr int kRaise = 2;   // the selected tab stands this much higher
    static constexpr int kAccent = 2;  // height of the themed bar over the selected tab

    CXTPTabPaintManager();
    ~CXTPTabPaintManager();
    CXTPTabPaintManager(const CXTPTabPaintManager&) = delete;
    CXTPTabPaintManager& operator=(const CXTPTabPaintManager&) = delete;

    // False (nothing changes) for a style this strip does not know.
    bool SetAppearance(int appearance);
    int GetAppearance() const { return m_iAppearance; }

    // Takes ownership of the set (which must come from new) and refreshes it;
    // null goes back to the default set. Returns the set now in use.
    CXTPTabColorSetDefault* SetColorSet(CXTPTabColorSetDefault* colorSet);
    CXTPTabColorSetDefault* GetColorSet() const { return m_pColorSet.get(); }

    // The themed look puts an accent bar over the selected tab; disabling it
    // leaves the colour set's plain colours.
    void DisableLunaColors(bool disable = true);
    bool IsLunaColorsDisabled() const { return m_bLunaDisabled; }

    // The captions' font: a copy of `font`, or with `useStandardFont` (or a
    // null font) the host's normal font as it is at each paint.
    void SetFontIndirect(const LOGFONT* font, bool useStandardFont = false);
    // The font set here, or null when none was set (the strip's window font is used).
    CFont* GetFont() const;

    // Places every tab of `tabs` in `client`; `measure` gives a caption's size.
    void RecalcLayout(CXTPTabManager& tabs, const CRect& client,
                      const std::function<CSize(const CString&)>& measure) const;
    // Draws the strip; the font is already selected into `dc` and the layout done.
    void DrawTabControl(CDC& dc, const CXTPTabManager& tabs, const CRect& client) const;

    // Called after every change of look, so the strip repaints.
    void SetOnChange(std::function<void()> onChange) { m_onChange = std::move(onChange); }

  private:
    void changed() const;
    void drawTab(CDC& dc, const CRect& rect, const CString& caption, bool selected) const;

    int m_iAppearance = tabAppearanceBox;
    std::unique_ptr<CXTPTabColorSetDefault> m_pColorSet;
    bool m_bLunaDisabled = false;
    enum class FontSource { None, Own, Standard };
    FontSource m_fontSource = FontSource::None;
    std::unique_ptr<CFont> m_pFont;
    std::function<void()> m_onChange;
};

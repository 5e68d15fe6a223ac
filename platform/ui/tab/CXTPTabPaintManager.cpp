#include "CXTPTabPaintManager.h"

#include <algorithm>
#include <vector>

#include "CXTPTabManager.h"
#include "HostApi.h"

CXTPTabPaintManager::CXTPTabPaintManager()
    : m_pColorSet(std::make_unique<CXTPTabColorSetDefault>()) {}

CXTPTabPaintManager::~CXTPTabPaintManager() = default;

void CXTPTabPaintManager::changed() const {
    if (m_onChange)
        m_onChange();
}

bool CXTPTabPaintManager::SetAppearance(int appearance) {
    if (appearance < tabAppearanceBox || appearance > tabAppearancePropertyPage)
        return false;
    if (appearance != m_iAppearance) {
        m_iAppearance = appearance;
        changed();
    }
    return true;
}

CXTPTabColorSetDefault* CXTPTabPaintManager::SetColorSet(CXTPTabColorSetDefault* colorSet) {
    if (colorSet != m_pColorSet.get()) {
        m_pColorSet.reset(colorSet ? colorSet : new CXTPTabColorSetDefault);
    }
    m_pColorSet->RefreshMetrics();
    changed();
    return m_pColorSet.get();
}

void CXTPTabPaintManager::DisableLunaColors(bool disable) {
    if (disable == m_bLunaDisabled)
        return;
    m_bLunaDisabled = disable;
    changed();
}

void CXTPTabPaintManager::SetFontIndirect(const LOGFONT* font, bool useStandardFont) {
    if (useStandardFont || !font) {
        m_fontSource = FontSource::Standard;
        m_pFont.reset();
    } else {
        m_fontSource = FontSource::Own;
        m_pFont = std::make_unique<CFont>();
        m_pFont->CreateFontIndirect(*font);
    }
    changed();
}

CFont* CXTPTabPaintManager::GetFont() const {
    switch (m_fontSource) {
        case FontSource::Own:
            return m_pFont.get();
        case FontSource::Standard:
            return SYS_GetCurrentFont(0);
        case FontSource::None:
            break;
    }
    return nullptr;
}

void CXTPTabPaintManager::RecalcLayout(CXTPTabManager& tabs, const CRect& client,
                                       const std::function<CSize(const CString&)>& measure) const {
    const int count = tabs.GetItemCount();
    if (count == 0)
        return;
    const int gap = m_iAppearance == tabAppearanceButton ? 2 : 0;
    std::vector<int> widths;
    int natural = 0;
    for (int i = 0; i < count; ++i) {
        const int width =
            std::max(kMinWidth, measure(tabs.GetItem(i)->GetCaption()).cx + 2 * kPadding);
        widths.push_back(width);
        natural += width;
    }
    // A strip too narrow for every caption squeezes the tabs in proportion,
    // so every tab stays reachable; captions then end in an ellipsis.
    const int available = client.Width() - 2 * kMargin - gap * (count - 1);
    if (natural > available && available > 0) {
        int used = 0;
        for (int i = 0; i < count; ++i) {
            auto& width = widths[static_cast<std::size_t>(i)];
            width = i == count - 1
                        ? available - used
                        : static_cast<int>(static_cast<long long>(width) * available / natural);
            width = std::max(1, width);
            used += width;
        }
    }
    int x = client.left + kMargin;
    for (int i = 0; i < count; ++i) {
        CXTPTabManagerItem* item = tabs.GetItem(i);
        const int width = widths[static_cast<std::size_t>(i)];
        const bool selected = i == tabs.GetCurSel();
        const int top =
            selected || m_iAppearance == tabAppearanceButton ? client.top : client.top + kRaise;
        item->m_rcItem = CRect(x, top, x + width, client.bottom);
        x += width + gap;
    }
}

void CXTPTabPaintManager::drawTab(CDC& dc, const CRect& rect, const CString& caption,
                                  bool selected) const {
    const TabColors& colours = m_pColorSet->GetColors();
    const CBrush border(colours.border);
    switch (m_iAppearance) {
        case tabAppearanceFlat:
            if (selected)
                dc.FillSolidRect(rect, colours.selectedTab);
            break;
        case tabAppearanceButton:
            dc.FillSolidRect(rect, selected ? colours.selectedTab : colours.normalTab);
            dc.FrameRect(rect, &border);
            break;
        default:
            // Left, top and right edges; the base line closes the bottom.
            dc.FillSolidRect(rect, selected ? colours.selectedTab : colours.normalTab);
            dc.DrawLine(CPoint(rect.left, rect.bottom - 1), CPoint(rect.left, rect.top),
                        colours.border);
            dc.DrawLine(CPoint(rect.left, rect.top), CPoint(rect.right - 1, rect.top),
                        colours.border);
            dc.DrawLine(CPoint(rect.right - 1, rect.top), CPoint(rect.right - 1, rect.bottom - 1),
                        colours.border);
            break;
    }
    if (selected && !m_bLunaDisabled) {
        dc.FillSolidRect(
            CRect(rect.left, rect.top, rect.right, std::min(rect.bottom, rect.top + kAccent)),
            colours.accent);
    }
    CRect text(rect.left + kPadding / 2, rect.top, rect.right - kPadding / 2, rect.bottom);
    dc.SetTextColor(colours.text);
    dc.DrawText(caption, &text,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void CXTPTabPaintManager::DrawTabControl(CDC& dc, const CXTPTabManager& tabs,
                                         const CRect& client) const {
    const TabColors& colours = m_pColorSet->GetColors();
    dc.FillSolidRect(client, colours.background);
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    for (int i = 0; i < tabs.GetItemCount(); ++i) {
        const CXTPTabManagerItem* item = tabs.GetItem(i);
        drawTab(dc, item->GetRect(), item->GetCaption(), i == tabs.GetCurSel());
    }
    dc.SetBkMode(previousMode);
    if (m_iAppearance == tabAppearanceButton)
        return;
    const int y = client.bottom - 1;
    const CXTPTabManagerItem* selected = tabs.GetSelectedItem();
    if (m_iAppearance == tabAppearancePropertyPage && selected) {
        // The selected tab opens into the page: the base line stops at its edges.
        dc.DrawLine(CPoint(client.left, y), CPoint(selected->GetRect().left, y), colours.border);
        dc.DrawLine(CPoint(selected->GetRect().right - 1, y), CPoint(client.right, y),
                    colours.border);
    } else {
        dc.DrawLine(CPoint(client.left, y), CPoint(client.right, y), colours.border);
    }
}

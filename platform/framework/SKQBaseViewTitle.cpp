// SKQBaseView: the title strip (name, link icon) and the not-supported notice.
#include <algorithm>

#include "CodePage.h"
#include "HostApi.h"
#include "SKQBaseView.h"

namespace {

constexpr int kTitlePadding = 4;  // left of the name and after it
constexpr int kIconMargin = 3;    // around the link icon inside the strip

}  // namespace

void SKQBaseView::OnDraw(CDC* pDC) {
    if (!pDC)
        return;
    if (m_bNotSupportSymbol) {
        vNotSupportSymbol(pDC);
        return;
    }
    if (m_bShowTitleBar) {
        vDrawViewName(pDC);
        PaintIcon(pDC);
    }
}

CFont* SKQBaseView::pfontGetTitleFont() const {
    return SYS_GetCurrentFont(1);
}

void SKQBaseView::GetViewTitleRect(CRect& rc, bool bWholeStrip) const {
    CRect client;
    GetClientRect(&client);
    const CRect strip(client.left, client.top, client.right, client.top + m_iTitleHeight);
    if (bWholeStrip) {
        rc = strip;
        return;
    }
    int right = 0;
    if (m_drawnName.valid && m_drawnName.caption == m_strCaption &&
        m_drawnName.font == pfontGetTitleFont()) {
        right = m_drawnName.rect.right;
    } else {
        // Not drawn yet with this caption and font: measured as a device measures
        // it, half the font height per column.
        const int columns = codepage::DisplayWidth(m_strCaption.str());
        right = strip.left + 2 * kTitlePadding + columns * FontPixelHeight(pfontGetTitleFont()) / 2;
    }
    rc = CRect(strip.left, strip.top, std::min(right, std::max(strip.left, strip.right)),
               strip.bottom);
}

void SKQBaseView::vDrawViewName(CDC* pDC) {
    if (!pDC)
        return;
    CRect strip;
    GetViewTitleRect(strip, true);
    pDC->FillSolidRect(strip, m_crTitleBk);
    ScopedDcState state(*pDC);
    CFont* font = pfontGetTitleFont();
    pDC->SelectObject(font);
    pDC->SetTextColor(m_crTitleText);
    pDC->SetBkMode(TRANSPARENT);
    const CSize extent = pDC->GetTextExtent(m_strCaption);
    CRect text(strip.left + kTitlePadding, strip.top, strip.left + kTitlePadding + extent.cx,
               strip.bottom);
    if (!m_strCaption.IsEmpty())
        pDC->DrawText(m_strCaption, &text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    m_drawnName.rect = CRect(strip.left, strip.top, text.right + kTitlePadding, strip.bottom);
    m_drawnName.caption = m_strCaption;
    m_drawnName.font = font;
    m_drawnName.valid = true;
}

void SKQBaseView::PaintIcon(CDC* pDC) {
    if (!pDC || m_byLink == 0)
        return;
    CRect strip;
    GetViewTitleRect(strip, true);
    const int side = m_iTitleHeight - 2 * kIconMargin;
    if (side <= 0 || strip.Width() < side + 2 * kIconMargin)
        return;
    const CRect icon(strip.right - kIconMargin - side, strip.top + kIconMargin,
                     strip.right - kIconMargin, strip.top + kIconMargin + side);
    const CBrush frame(m_crTitleText);
    pDC->FrameRect(icon, &frame);
    ScopedDcState state(*pDC);
    pDC->SelectObject(pfontGetTitleFont());
    pDC->SetTextColor(m_crTitleText);
    pDC->SetBkMode(TRANSPARENT);
    CRect number = icon;
    pDC->DrawText(CString::Formatted("%d", m_byLink), &number,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void SKQBaseView::vNotSupportSymbol(CDC* pDC) {
    if (!pDC)
        return;
    CRect body;
    GetClientRect(&body);
    if (m_bShowTitleBar) {
        vDrawViewName(pDC);
        PaintIcon(pDC);
        body.top = std::min(body.bottom, body.top + m_iTitleHeight);
    }
    pDC->FillSolidRect(body, SYS_crGetOtherColor("COLOR_LISTCTL_BACKGROUND"));
    ScopedDcState state(*pDC);
    pDC->SelectObject(m_pViewFont ? m_pViewFont : SYS_GetCurrentFont(0));
    pDC->SetTextColor(SYS_crGetOtherColor("COLOR_LISTCTL_NORMALTEXT"));
    pDC->SetBkMode(TRANSPARENT);
    pDC->DrawText(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_SYMBOL_NEWS_NOT_FOUND"), &body,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void SKQBaseView::invalidateTitle() {
    if (!IsWindow())
        return;
    CRect strip;
    GetViewTitleRect(strip, true);
    InvalidateRect(&strip, true);
}

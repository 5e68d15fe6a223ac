#include "CXTTipWindow.h"

#include <algorithm>

#include "HostApi.h"
#include "TextMeasure.h"

namespace {
// The title and the text, one line each entry, title first.
std::vector<CString> tipLines(const CString& title, const CString& text) {
    std::vector<CString> lines;
    if (!title.IsEmpty())
        lines = tabtext::SplitLines(title);
    for (CString& line : tabtext::SplitLines(text))
        lines.push_back(std::move(line));
    return lines;
}
}  // namespace

bool CXTTipWindow::Create(CWnd* parent) {
    return CreatePopup(parent);
}

void CXTTipWindow::SetTipText(const char* title, const char* text) {
    m_strTitle = title ? title : "";
    m_strText = text ? text : "";
    if (IsWindowVisible())
        MoveTip(tipRect(m_ptTip));
    Changed(WindowChange::Content);
    Invalidate(true);
}

void CXTTipWindow::SetCenterText(bool center) {
    if (center == m_bCenterText)
        return;
    m_bCenterText = center;
    Changed(WindowChange::Content);
    Invalidate(true);
}

CRect CXTTipWindow::tipRect(CPoint point) const {
    const CFont* font = OwnerFont();
    CSize block;
    for (const CString& line : tipLines(m_strTitle, m_strText)) {
        const CSize size = tabtext::EstimateLine(line, font);
        block.cx = std::max(block.cx, size.cx);
        block.cy += size.cy;
    }
    if (!m_strTitle.IsEmpty())
        block.cy += kTitleGap;
    const int width = block.cx + 2 * kPadding;
    const int height = block.cy + 2 * kPadding;
    const int top = m_bAbovePoint ? point.y - height - 2 : point.y - height / 2;
    const CRect body(point.x - width / 2, top, point.x - width / 2 + width, top + height);
    return CRect(body.left, body.top, body.right + shadow(), body.bottom + shadow());
}

void CXTTipWindow::ShowTipWindow(CPoint screenPoint, DWORD style, UINT delay, UINT elapse) {
    if (!IsWindow())
        return;
    m_dwStyle = style;
    m_ptTip = screenPoint;
    m_uElapse = elapse;
    Changed(WindowChange::Content);
    if (delay > 0) {
        HideTip();
        SetTimer(kDelayTimer, delay);
        return;
    }
    KillTimer(kDelayTimer);
    ShowAt(tipRect(screenPoint), elapse);
}

void CXTTipWindow::HideTipWindow() {
    KillTimer(kDelayTimer);
    HideTip();
}

void CXTTipWindow::OnTimer(UINT id) {
    if (id == kDelayTimer) {
        KillTimer(kDelayTimer);
        ShowAt(tipRect(m_ptTip), m_uElapse);
        return;
    }
    TipPopupWnd::OnTimer(id);
}

void CXTTipWindow::OnPaint(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    const COLORREF background = SYS_crGetOtherColor("COLOR_TIP_BACKGROUND");
    const COLORREF text = SYS_crGetOtherColor("COLOR_TIP_TEXT");
    const CBrush border(SYS_crGetOtherColor("COLOR_TIP_BORDER"));
    const int shade = shadow();
    if (shade > 0) {
        dc.FillSolidRect(
            CRect(client.left + shade, client.top + shade, client.right, client.bottom),
            RGB(0x50, 0x50, 0x50));
    }
    CRect body(client.left, client.top, client.right - shade, client.bottom - shade);
    dc.FillSolidRect(body, background);
    dc.FrameRect(body, &border);
    if (m_dwStyle & kTipStyleThickBorder) {
        CRect inner = body;
        inner.DeflateRect(1, 1);
        dc.FrameRect(inner, &border);
    }
    CFont* previous = dc.SelectObject(OwnerFont());
    dc.SetTextColor(text);
    dc.SetBkColor(background);
    const int previousMode = dc.SetBkMode(TRANSPARENT);
    const UINT align = m_bCenterText ? DT_CENTER : DT_LEFT;
    int y = body.top + kPadding;
    const std::size_t titleLines =
        m_strTitle.IsEmpty() ? 0 : tabtext::SplitLines(m_strTitle).size();
    std::size_t index = 0;
    for (const CString& line : tipLines(m_strTitle, m_strText)) {
        const int height =
            std::max(dc.GetTextExtent(line).cy, FontPixelHeight(dc.GetCurrentFont()));
        CRect row(body.left + kPadding, y, body.right - kPadding, y + height);
        dc.DrawText(line, &row, align | DT_SINGLELINE | DT_NOPREFIX);
        y += height;
        if (++index == titleLines)
            y += kTitleGap;
    }
    dc.SetBkMode(previousMode);
    dc.SelectObject(previous);
}

#include "CDlgTipMsg.h"

#include <algorithm>

#include "TextMeasure.h"
#include "ui/WindowSystem.h"

bool CDlgTipMsg::Create(UINT templateId, CWnd* parent) {
    if (templateId != IDD)
        return false;
    return CreatePopup(parent ? parent : m_pParent);
}

void CDlgTipMsg::vSetInfo(CWnd* anchor, const char* text, COLORREF textColour, COLORREF backColour,
                          int time) {
    m_hwndAnchor = anchor ? anchor->GetSafeHwnd() : 0;
    m_strText = text ? text : "";
    m_crText = textColour;
    m_crBack = backColour;
    m_iTime = time;
    // A notice changed while it shows is resized in place; its time runs on.
    if (IsWindowVisible())
        MoveTip(popupRect());
    Changed(WindowChange::Content);
    Invalidate(true);
}

CRect CDlgTipMsg::popupRect() const {
    const CFont* font = GetFont() ? GetFont() : OwnerFont();
    const CSize block = tabtext::EstimateBlock(m_strText, font);
    const int width = std::max(kMinWidth, block.cx + 2 * kPaddingX);
    const int height = block.cy + 2 * kPaddingY;
    // Near the window asked for, else the anchor, else the owner; with none
    // of them the offsets alone place the popup.
    WindowSystem* system = GetWindowSystem();
    CWnd* target = system && m_hwndNear ? system->FromHandle(m_hwndNear) : nullptr;
    if (!target && system && m_hwndAnchor)
        target = system->FromHandle(m_hwndAnchor);
    if (!target)
        target = GetOwnerWindow();
    CRect around;
    if (target)
        target->GetWindowRect(&around);
    const int left = around.left + (around.Width() - width) / 2 + m_iOffsetX;
    const int top = around.top + std::min(kTopGap, std::max(0, around.Height() / 4)) + m_iOffsetY;
    return CRect(left, top, left + width, top + height);
}

bool CDlgTipMsg::vShow(CWnd* pNear, int offsetX, int offsetY, bool keep) {
    if (!IsWindow())
        return false;
    m_hwndNear = pNear ? pNear->GetSafeHwnd() : 0;
    m_iOffsetX = offsetX;
    m_iOffsetY = offsetY;
    const UINT elapse = keep || m_iTime <= 0 ? 0 : static_cast<UINT>(m_iTime);
    ShowAt(popupRect(), elapse);
    return true;
}

void CDlgTipMsg::vStop() {
    HideTip();
}

void CDlgTipMsg::OnPaint(CDC& dc) {
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, m_crBack);
    const CBrush frame(m_crText);
    dc.FrameRect(client, &frame);
    CFont* previous = dc.SelectObject(GetFont() ? GetFont() : OwnerFont());
    dc.SetTextColor(m_crText);
    dc.SetBkColor(m_crBack);
    std::vector<std::pair<CString, int>> lines;  // each line and its height
    int total = 0;
    for (CString& line : tabtext::SplitLines(m_strText)) {
        const int height =
            std::max(dc.GetTextExtent(line).cy, FontPixelHeight(dc.GetCurrentFont()));
        total += height;
        lines.emplace_back(std::move(line), height);
    }
    int y = client.top + (client.Height() - total) / 2;
    for (const auto& [line, height] : lines) {
        CRect row(client.left + kPaddingX / 2, y, client.right - kPaddingX / 2, y + height);
        dc.DrawText(line, &row, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        y += height;
    }
    dc.SelectObject(previous);
}

#include "GridScrollBar.h"

#include <algorithm>
#include <cstdint>

void GridScrollBar::Set(const CRect& rect, bool vertical, int total, int page, int pos) {
    m_rect = rect;
    m_vertical = vertical;
    m_total = std::max(0, total);
    m_page = std::max(0, page);
    m_pos = std::clamp(pos, 0, MaxPos());
}

int GridScrollBar::trackLength() const {
    return m_vertical ? m_rect.Height() : m_rect.Width();
}

int GridScrollBar::thumbLength() const {
    const int track = trackLength();
    if (m_total <= 0 || m_page >= m_total)
        return track;
    const auto share = static_cast<std::int64_t>(track) * m_page / m_total;
    return std::min(track, std::max<int>(kMinThumb, static_cast<int>(share)));
}

int GridScrollBar::thumbStart() const {
    const int room = trackLength() - thumbLength();
    const int maxPos = MaxPos();
    if (room <= 0 || maxPos <= 0)
        return 0;
    return static_cast<int>(static_cast<std::int64_t>(room) * m_pos / maxPos);
}

CRect GridScrollBar::Thumb() const {
    if (!Shown())
        return {};
    const int start = thumbStart();
    const int length = thumbLength();
    if (m_vertical) {
        return {m_rect.left, m_rect.top + start, m_rect.right, m_rect.top + start + length};
    }
    return {m_rect.left + start, m_rect.top, m_rect.left + start + length, m_rect.bottom};
}

int GridScrollBar::Along(CPoint point) const {
    return m_vertical ? point.y - m_rect.top : point.x - m_rect.left;
}

GridScrollBar::Part GridScrollBar::HitTest(CPoint point) const {
    if (!Shown() || !m_rect.PtInRect(point))
        return Part::None;
    const int along = Along(point);
    const int start = thumbStart();
    if (along < start)
        return Part::Before;
    if (along < start + thumbLength())
        return Part::Thumb;
    return Part::After;
}

int GridScrollBar::PositionAt(int start) const {
    const int room = trackLength() - thumbLength();
    const int maxPos = MaxPos();
    if (room <= 0 || maxPos <= 0)
        return 0;
    const int clamped = std::clamp(start, 0, room);
    // Rounded, so dragging the thumb back to where it was finds the same position.
    const auto scaled = (static_cast<std::int64_t>(clamped) * maxPos * 2 + room) / (2 * room);
    return static_cast<int>(scaled);
}

void GridScrollBar::Draw(CDC& dc, COLORREF track, COLORREF thumb, COLORREF frame) const {
    if (!Shown())
        return;
    dc.FillSolidRect(m_rect, track);
    CRect knob = Thumb();
    knob.DeflateRect(m_vertical ? 2 : 0, m_vertical ? 0 : 2);
    if (!knob.IsRectEmpty())
        dc.FillSolidRect(knob, thumb);
    // The edge towards the rows.
    if (m_vertical) {
        dc.DrawLine({m_rect.left, m_rect.top}, {m_rect.left, m_rect.bottom}, frame);
    } else {
        dc.DrawLine({m_rect.left, m_rect.top}, {m_rect.right, m_rect.top}, frame);
    }
}

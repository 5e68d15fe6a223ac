#pragma once
// One scroll bar as the grid draws it: a track with a thumb whose length
// shows the visible share and whose place shows the position. Positions run
// from 0 to total - page (rows for the vertical bar, pixels for the
// horizontal one).
#include "ui/CDC.h"
#include "ui/Geometry.h"

class GridScrollBar {
  public:
    enum class Part { None, Before, Thumb, After };
    static constexpr int kMinThumb = 8;

    void Set(const CRect& rect, bool vertical, int total, int page, int pos);
    const CRect& Rect() const { return m_rect; }
    bool Shown() const { return !m_rect.IsRectEmpty(); }
    int MaxPos() const { return m_total > m_page ? m_total - m_page : 0; }

    CRect Thumb() const;
    Part HitTest(CPoint point) const;
    // Distance of a point from the track's start along the bar.
    int Along(CPoint point) const;
    // The position that puts the thumb's start at `thumbStart` along the track.
    int PositionAt(int thumbStart) const;

    void Draw(CDC& dc, COLORREF track, COLORREF thumb, COLORREF frame) const;

  private:
    int trackLength() const;
    int thumbLength() const;
    int thumbStart() const;

    CRect m_rect;
    bool m_vertical = true;
    int m_total = 0;
    int m_page = 0;
    int m_pos = 0;
};

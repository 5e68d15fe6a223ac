// The emblem: a square frame holding a rising three-step bar chart under a
// diagonal line - news for a market.
#include "PrintEmblem.h"

#include <algorithm>

#include "CDC.h"

void s_PrinQuentaLogo(CDC* dc, const CRect& rect) {
    if (!dc)
        return;
    const int side = std::min(rect.Width(), rect.Height());
    if (side < 6)
        return;
    const int left = rect.left;
    const int top = rect.top + (rect.Height() - side) / 2;
    const CRect box(left, top, left + side, top + side);
    const CBrush black(RGB(0, 0, 0));
    dc->FrameRect(box, &black);
    const int pad = side / 8;
    const int base = box.bottom - pad;
    const int barWidth = (side - 2 * pad) / 4;
    for (int i = 0; i < 3; ++i) {
        const int x = box.left + pad + i * (barWidth + barWidth / 2);
        const int height = (side - 2 * pad) * (i + 2) / 5;
        dc->FillSolidRect(CRect(x, base - height, x + barWidth, base), RGB(0, 0, 0));
    }
    dc->DrawLine(CPoint(box.left + pad, box.top + side / 2), CPoint(box.right - pad, box.top + pad),
                 RGB(0, 0, 0));
}

// A sheet copying its selected rows (Ctrl+C) asks for the rows it never
// showed: the view fills only what comes into view, a moment after the
// scroll, so rows passed over by a jump of the thumb hold no text yet. They
// are filled here at once, as a refill of the visible rows fills them.
#include "SKQNewsCtrlView.h"

LRESULT SKQNewsCtrlView::OnGridFillRows(WPARAM wParam, LPARAM lParam) {
    const auto* sheet = reinterpret_cast<const CGridoraWnd*>(wParam);
    const auto* span = reinterpret_cast<const GridRowSpan*>(lParam);
    if (!sheet || !span || span->count <= 0)
        return 0;
    for (int mode = 0; mode < kModeCount; ++mode) {
        if (m_apSheet[mode] != sheet)
            continue;
        HeadlineList& list = m_avecHeadline[mode];
        std::vector<CHeadlineTable> keys;
        list.vGetSlice(span->first, span->count, keys);
        std::vector<CHeadline> headlines;
        vFetchHeadlines(mode, keys, headlines);
        const int last = span->first + static_cast<int>(keys.size());
        for (const CHeadline& headline : headlines) {
            const int row = list.iFindNear(headline.Key(), span->first, last);
            if (row >= 0)
                vUpdateHeadline(m_apSheet[mode], row, &headline, mode != kModeAll);
        }
        return 1;
    }
    return 0;
}

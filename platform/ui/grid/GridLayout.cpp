#include "GridLayout.h"

#include <algorithm>

GridLayout GridLayout::Compute(const GridMetrics& m) {
    GridLayout layout;
    const int width = std::max(0, m.client.cx);
    const int height = std::max(0, m.client.cy);
    const int rowHeight = std::max(1, m.rowHeight);
    const int header = std::clamp(m.headerHeight, 0, height);
    const int bar = std::max(0, m.barWidth);

    bool vbar = false;
    bool hbar = false;
    int dataWidth = width;
    int dataHeight = height - header;
    // A bar once needed stays, so this settles within three rounds.
    for (int round = 0; round < 3; ++round) {
        dataWidth = std::max(0, width - (vbar ? bar : 0));
        dataHeight = std::max(0, height - header - (hbar ? bar : 0));
        const bool needV = m.rowCount > dataHeight / rowHeight;
        const bool needH = m.contentWidth > dataWidth;
        if (needV == vbar && needH == hbar)
            break;
        vbar = vbar || needV;
        hbar = hbar || needH;
    }
    dataWidth = std::max(0, width - (vbar ? bar : 0));
    dataHeight = std::max(0, height - header - (hbar ? bar : 0));

    layout.client = CRect(0, 0, width, height);
    layout.header = CRect(0, 0, dataWidth, header);
    layout.data = CRect(0, header, dataWidth, header + dataHeight);
    layout.hasVBar = vbar && width >= bar;
    layout.hasHBar = hbar && height - header >= bar;
    const int barsBottom = layout.hasHBar ? height - bar : height;
    if (layout.hasVBar)
        layout.vbar = CRect(dataWidth, 0, width, barsBottom);
    if (layout.hasHBar)
        layout.hbar = CRect(0, height - bar, dataWidth, height);
    if (layout.hasVBar && layout.hasHBar)
        layout.corner = CRect(dataWidth, height - bar, width, height);
    layout.rowsPerPage = dataHeight / rowHeight;
    return layout;
}

int GridLayout::MaxTopRow(int rowCount) const {
    return std::max(0, rowCount - std::max(1, rowsPerPage));
}

int GridLayout::MaxHorzOffset(int contentWidth) const {
    return std::max(0, contentWidth - data.Width());
}

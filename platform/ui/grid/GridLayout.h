#pragma once
// Where the parts of a grid lie in its client area: the header row, the rows,
// and the scroll bars the grid draws itself. A bar is shown only when its
// direction has more than fits; showing one can make room short for the
// other, so both are settled together. Rows per page counts whole rows only.
#include "ui/Geometry.h"

struct GridMetrics {
    CSize client;
    int headerHeight = 0;
    int rowHeight = 1;
    int rowCount = 0;
    int contentWidth = 0;  // all columns together
    int barWidth = 16;
};

struct GridLayout {
    CRect client;
    CRect header;  // the header row, left of the vertical bar
    CRect data;    // the rows
    CRect vbar;    // empty when not shown
    CRect hbar;
    CRect corner;  // between the two bars when both are shown
    bool hasVBar = false;
    bool hasHBar = false;
    int rowsPerPage = 0;

    static GridLayout Compute(const GridMetrics& metrics);

    // The largest first visible row that still shows a full last page.
    int MaxTopRow(int rowCount) const;
    // The largest horizontal offset that still fills the rows' width.
    int MaxHorzOffset(int contentWidth) const;
};

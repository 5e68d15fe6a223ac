#include "GridColumns.h"

namespace {
const CString kEmpty;
}

bool GridColumns::Insert(int index, int width) {
    if (index < 0 || index > Count() || width < 0)
        return false;
    m_columns.insert(m_columns.begin() + index, Column{width, CString()});
    m_total += width;
    return true;
}

int GridColumns::Width(int col) const {
    if (!IsValid(col))
        return 0;
    return m_columns[idx(col)].width + (col == Count() - 1 ? FillExtra() : 0);
}

bool GridColumns::SetWidth(int col, int width) {
    if (!IsValid(col) || width < 0 || width > kMaxWidth)
        return false;
    m_total += width - m_columns[idx(col)].width;
    m_columns[idx(col)].width = width;
    return true;
}

int GridColumns::Left(int col) const {
    int left = 0;
    for (int c = 0; c < col && c < Count(); ++c)
        left += m_columns[idx(c)].width;
    return left;
}

int GridColumns::At(int x) const {
    if (x < 0)
        return -1;
    int left = 0;
    for (int c = 0; c < Count(); ++c) {
        left += Width(c);
        if (x < left)
            return c;
    }
    return -1;
}

int GridColumns::NextEdge(int x) const {
    int edge = 0;
    for (const Column& column : m_columns) {
        edge += column.width;
        if (edge > x)
            return edge;
    }
    return m_total;
}

int GridColumns::PreviousEdge(int x) const {
    int previous = 0;
    int edge = 0;
    for (const Column& column : m_columns) {
        edge += column.width;
        if (edge >= x)
            break;
        previous = edge;
    }
    return previous;
}

const CString& GridColumns::Header(int col) const {
    return IsValid(col) ? m_columns[idx(col)].header : kEmpty;
}

bool GridColumns::SetHeader(int col, const CString& text) {
    if (!IsValid(col) || m_columns[idx(col)].header == text)
        return false;
    m_columns[idx(col)].header = text;
    return true;
}

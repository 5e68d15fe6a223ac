#include "GridSelection.h"

#include <algorithm>

std::uint64_t GridSelection::key(CPoint cell) {
    return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(cell.x)) << 32) |
           static_cast<std::uint32_t>(cell.y);
}

bool GridSelection::Contains(int row, int col) const {
    if (m_index.empty())
        return false;
    return m_index.count(key({row, -1})) != 0 || (col >= 0 && m_index.count(key({row, col})) != 0);
}

void GridSelection::Clear() {
    m_cells.clear();
    m_index.clear();
    m_focus = m_anchor = kNone;
}

void GridSelection::SelectOnly(CPoint cell) {
    m_cells.clear();
    m_index.clear();
    add(cell);
    m_focus = m_anchor = cell;
}

void GridSelection::Toggle(CPoint cell) {
    if (m_index.count(key(cell)) != 0) {
        remove(cell);
    } else if (cell.y >= 0 && m_index.count(key({cell.x, -1})) != 0) {
        remove({cell.x, -1});
    } else {
        add(cell);
    }
    m_focus = m_anchor = cell;
}

void GridSelection::ExtendTo(CPoint cell, bool keep) {
    if (m_anchor.x < 0) {
        if (keep) {
            add(cell);
            m_focus = m_anchor = cell;
        } else {
            SelectOnly(cell);
        }
        return;
    }
    if (!keep) {
        m_cells.clear();
        m_index.clear();
    }
    const int rowStep = cell.x >= m_anchor.x ? 1 : -1;
    // A whole-row end makes the block whole rows.
    const bool wholeRows = cell.y < 0 || m_anchor.y < 0;
    const int colStep = cell.y >= m_anchor.y ? 1 : -1;
    for (int row = m_anchor.x;; row += rowStep) {
        if (wholeRows) {
            add({row, -1});
        } else {
            for (int col = m_anchor.y;; col += colStep) {
                add({row, col});
                if (col == cell.y)
                    break;
            }
        }
        if (row == cell.x)
            break;
    }
    m_focus = cell;
}

void GridSelection::RowsInserted(int index, int count) {
    if (count <= 0)
        return;
    auto shift = [&](CPoint& p) {
        if (p.x >= index)
            p.x += count;
    };
    for (CPoint& p : m_cells)
        shift(p);
    shift(m_focus);
    shift(m_anchor);
    rebuildIndex();
}

void GridSelection::RowRemoved(int index) {
    const auto gone = std::remove_if(m_cells.begin(), m_cells.end(),
                                     [index](const CPoint& p) { return p.x == index; });
    m_cells.erase(gone, m_cells.end());
    auto shift = [&](CPoint& p) {
        if (p.x == index) {
            p = kNone;
        } else if (p.x > index) {
            --p.x;
        }
    };
    for (CPoint& p : m_cells)
        shift(p);
    shift(m_focus);
    shift(m_anchor);
    rebuildIndex();
}

void GridSelection::ColumnInserted(int index) {
    auto shift = [&](CPoint& p) {
        if (p.y >= index)
            ++p.y;
    };
    for (CPoint& p : m_cells)
        shift(p);
    shift(m_focus);
    shift(m_anchor);
    rebuildIndex();
}

void GridSelection::add(CPoint cell) {
    if (m_index.insert(key(cell)).second)
        m_cells.push_back(cell);
}

void GridSelection::remove(CPoint cell) {
    if (m_index.erase(key(cell)) == 0)
        return;
    m_cells.erase(std::find(m_cells.begin(), m_cells.end(), cell));
}

void GridSelection::rebuildIndex() {
    m_index.clear();
    for (const CPoint& p : m_cells)
        m_index.insert(key(p));
}

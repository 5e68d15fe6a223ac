#include "GridCells.h"

namespace {
const CString kEmpty;
const std::vector<GridMark> kNoMarks;
}  // namespace

void GridCells::AppendRows(int count) {
    if (count > 0)
        m_rows.resize(m_rows.size() + static_cast<std::size_t>(count), 0);
}

void GridCells::InsertRows(int index, int count) {
    if (count <= 0 || index < 0 || index > RowCount())
        return;
    m_rows.insert(m_rows.begin() + index, static_cast<std::size_t>(count), 0);
}

void GridCells::EraseRow(int index) {
    if (index < 0 || index >= RowCount())
        return;
    const auto it = m_rows.begin() + index;
    release(*it);
    m_rows.erase(it);
}

void GridCells::Clear() {
    m_rows.clear();
    m_rows.shrink_to_fit();
    m_slots.clear();
    m_slots.shrink_to_fit();
    m_free.clear();
    m_free.shrink_to_fit();
    m_marks.clear();
    m_marks.shrink_to_fit();
}

const CString& GridCells::Get(int row, int col) const {
    if (row < 0 || row >= RowCount() || col < 0)
        return kEmpty;
    const Handle handle = m_rows[static_cast<std::size_t>(row)];
    if (handle == 0)
        return kEmpty;
    const auto& cells = m_slots[handle - 1];
    return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)]
                                                        : kEmpty;
}

bool GridCells::Set(int row, int col, const CString& text) {
    if (row < 0 || row >= RowCount() || col < 0)
        return false;
    Handle& handle = m_rows[static_cast<std::size_t>(row)];
    if (handle == 0) {
        // An empty text in an empty row changes nothing and costs nothing.
        if (text.IsEmpty())
            return false;
        handle = allocate();
    }
    auto& cells = m_slots[handle - 1];
    const auto column = static_cast<std::size_t>(col);
    if (column >= cells.size()) {
        if (text.IsEmpty())
            return false;
        cells.resize(column + 1);
    }
    if (cells[column] == text)
        return false;
    cells[column] = text;
    dropMarks(handle, col);
    return true;
}

void GridCells::SetRow(int row, std::span<const CString> texts) {
    if (row < 0 || row >= RowCount())
        return;
    // Trailing empty texts take no room, as Set leaves them.
    while (!texts.empty() && texts.back().IsEmpty())
        texts = texts.first(texts.size() - 1);
    Handle& handle = m_rows[static_cast<std::size_t>(row)];
    if (texts.empty()) {
        release(handle);
        handle = 0;
        return;
    }
    if (handle == 0)
        handle = allocate();
    m_slots[handle - 1].assign(texts.begin(), texts.end());
    dropMarks(handle);
}

bool GridCells::SetCells(int row, std::span<const CString> texts) {
    if (row < 0 || row >= RowCount())
        return false;
    if (m_rows[static_cast<std::size_t>(row)] == 0) {
        // An empty row gets its slot in one piece rather than cell by cell.
        SetRow(row, texts);
        return m_rows[static_cast<std::size_t>(row)] != 0;
    }
    bool changed = false;
    for (std::size_t col = 0; col < texts.size(); ++col)
        changed = Set(row, static_cast<int>(col), texts[col]) || changed;
    return changed;
}

void GridCells::InsertColumn(int col) {
    if (col < 0)
        return;
    const auto column = static_cast<std::size_t>(col);
    for (auto& cells : m_slots) {
        if (column < cells.size())
            cells.insert(cells.begin() + col, CString());
    }
    for (auto& marks : m_marks) {
        if (column < marks.size())
            marks.insert(marks.begin() + col, std::vector<GridMark>());
    }
}

const std::vector<GridMark>& GridCells::Marks(int row, int col) const {
    if (row < 0 || row >= RowCount() || col < 0)
        return kNoMarks;
    const Handle handle = m_rows[static_cast<std::size_t>(row)];
    if (handle == 0 || handle > m_marks.size())
        return kNoMarks;
    const auto& marks = m_marks[handle - 1];
    return static_cast<std::size_t>(col) < marks.size() ? marks[static_cast<std::size_t>(col)]
                                                        : kNoMarks;
}

bool GridCells::SetMarks(int row, int col, std::vector<GridMark> marks) {
    marks = NormaliseGridMarks(Get(row, col), std::move(marks));
    if (Marks(row, col) == marks)
        return false;
    // A cell with marks has a text, so its row has a slot.
    const Handle handle = m_rows[static_cast<std::size_t>(row)];
    if (handle > m_marks.size())
        m_marks.resize(handle);
    auto& cells = m_marks[handle - 1];
    const auto column = static_cast<std::size_t>(col);
    if (column >= cells.size())
        cells.resize(column + 1);
    cells[column] = std::move(marks);
    return true;
}

void GridCells::dropMarks(Handle handle) {
    if (handle != 0 && handle <= m_marks.size())
        std::vector<std::vector<GridMark>>().swap(m_marks[handle - 1]);
}

void GridCells::dropMarks(Handle handle, int col) {
    if (handle == 0 || handle > m_marks.size())
        return;
    auto& cells = m_marks[handle - 1];
    if (static_cast<std::size_t>(col) < cells.size())
        cells[static_cast<std::size_t>(col)].clear();
}

GridCells::Handle GridCells::allocate() {
    if (!m_free.empty()) {
        const Handle handle = m_free.back();
        m_free.pop_back();
        return handle;
    }
    m_slots.emplace_back();
    return static_cast<Handle>(m_slots.size());
}

void GridCells::release(Handle handle) {
    if (handle == 0)
        return;
    // Give the texts' memory back now; the slot itself is reused.
    std::vector<CString>().swap(m_slots[handle - 1]);
    dropMarks(handle);
    m_free.push_back(handle);
}

#include "CListCtrl.h"

#include <algorithm>

#include "CodePage.h"
#include "ControlSupport.h"

namespace {
constexpr int kHeaderHeight = 20;
constexpr int kRowHeight = 16;
constexpr int kColumnPixels = 7;  // per display column of a header text, plus margins
constexpr int kColumnMargin = 12;

POSITION toPosition(int index) {
    return reinterpret_cast<POSITION>(static_cast<std::uintptr_t>(index) + 1);
}
int fromPosition(POSITION position) {
    return static_cast<int>(reinterpret_cast<std::uintptr_t>(position)) - 1;
}
}  // namespace

bool CListCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style, rect, parent, id);
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    const DWORD previous = m_extendedStyle;
    if (exStyle != previous) {
        m_extendedStyle = exStyle;
        Changed(WindowChange::Content);
    }
    return previous;
}

int CListCtrl::InsertColumn(int index, const char* heading, int format, int width,
                            int /*subItem*/) {
    if (!IsWindow() || index < 0)
        return -1;
    const bool first = m_columns.empty();
    index = std::min(index, GetColumnCount());
    Column column{CString(heading ? heading : ""), format, width};
    if (width < 0)
        column.width = codepage::DisplayWidth(column.text.str()) * kColumnPixels + kColumnMargin;
    m_columns.insert(m_columns.begin() + index, column);
    // Rows made before any column hold their item text already.
    if (!first) {
        for (Row& row : m_rows) {
            if (static_cast<int>(row.texts.size()) >= index)
                row.texts.insert(row.texts.begin() + index, CString());
        }
    }
    Changed(WindowChange::Content);
    return index;
}

bool CListCtrl::DeleteColumn(int index) {
    if (!IsWindow() || index < 0 || index >= GetColumnCount())
        return false;
    m_columns.erase(m_columns.begin() + index);
    for (Row& row : m_rows) {
        if (index < static_cast<int>(row.texts.size()))
            row.texts.erase(row.texts.begin() + index);
    }
    Changed(WindowChange::Content);
    return true;
}

const CListCtrl::Column* CListCtrl::GetColumn(int index) const {
    return index >= 0 && index < GetColumnCount() ? &m_columns[static_cast<std::size_t>(index)]
                                                  : nullptr;
}

int CListCtrl::GetColumnWidth(int index) const {
    const Column* column = GetColumn(index);
    return column ? column->width : 0;
}

bool CListCtrl::SetColumnWidth(int index, int width) {
    if (!GetColumn(index) || width < 0)
        return false;
    m_columns[static_cast<std::size_t>(index)].width = width;
    Changed(WindowChange::Content);
    return true;
}

int CListCtrl::InsertItem(int index, const char* text) {
    if (!IsWindow() || index < 0)
        return -1;
    index = std::min(index, GetItemCount());
    Row row;
    row.texts.assign(static_cast<std::size_t>(std::max(1, GetColumnCount())), CString());
    row.texts[0] = CString(text ? text : "");
    m_rows.insert(m_rows.begin() + index, std::move(row));
    if (m_selectionMark >= index)
        ++m_selectionMark;
    Changed(WindowChange::Content);
    return index;
}

bool CListCtrl::SetItemText(int item, int subItem, const char* text) {
    if (!validRow(item) || subItem < 0 || subItem >= std::max(1, GetColumnCount()))
        return false;
    auto& texts = m_rows[static_cast<std::size_t>(item)].texts;
    if (static_cast<int>(texts.size()) <= subItem)
        texts.resize(static_cast<std::size_t>(subItem) + 1);
    texts[static_cast<std::size_t>(subItem)] = CString(text ? text : "");
    Changed(WindowChange::Content);
    return true;
}

CString CListCtrl::GetItemText(int item, int subItem) const {
    if (!validRow(item) || subItem < 0)
        return {};
    const auto& texts = m_rows[static_cast<std::size_t>(item)].texts;
    return subItem < static_cast<int>(texts.size()) ? texts[static_cast<std::size_t>(subItem)]
                                                    : CString();
}

bool CListCtrl::DeleteItem(int item) {
    if (!IsWindow() || !validRow(item))
        return false;
    m_rows.erase(m_rows.begin() + item);
    if (m_selectionMark == item) {
        m_selectionMark = -1;
    } else if (m_selectionMark > item) {
        --m_selectionMark;
    }
    m_topIndex = std::clamp(m_topIndex, 0, std::max(0, GetItemCount() - 1));
    Changed(WindowChange::Content);
    return true;
}

bool CListCtrl::DeleteAllItems() {
    if (!IsWindow())
        return false;
    m_rows.clear();
    m_selectionMark = -1;
    m_topIndex = 0;
    Changed(WindowChange::Content);
    return true;
}

bool CListCtrl::SetItemData(int item, DWORD_PTR data) {
    if (!validRow(item))
        return false;
    m_rows[static_cast<std::size_t>(item)].data = data;
    return true;
}

DWORD_PTR CListCtrl::GetItemData(int item) const {
    return validRow(item) ? m_rows[static_cast<std::size_t>(item)].data : 0;
}

void CListCtrl::applyStates(const std::vector<UINT>& next) {
    const std::size_t count = m_rows.size();
    auto report = [this](std::size_t i, UINT newState) {
        NMLISTVIEW change;
        change.iItem = static_cast<int>(i);
        change.uOldState = m_rows[i].state;
        change.uNewState = newState;
        change.uChanged = LVIF_STATE;
        change.lParam = static_cast<LPARAM>(m_rows[i].data);
        m_rows[i].state = newState;
        Changed(WindowChange::Content);
        NotifyParent(LVN_ITEMCHANGED, &change.hdr);
    };
    // Rows that only lose state go first, so a handler never sees two rows
    // of a single-selection list selected.
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t i = 0; i < count; ++i) {
            // A handler may have changed the rows or closed the window.
            if (!IsWindow() || m_rows.size() != count)
                return;
            const UINT old = m_rows[i].state;
            if (old == next[i])
                continue;
            const bool onlyLoses = (next[i] & ~old) == 0;
            if ((pass == 0) == onlyLoses)
                report(i, next[i]);
        }
    }
}

bool CListCtrl::SetItemState(int item, UINT state, UINT mask) {
    if (!IsWindow() || (item != -1 && !validRow(item)))
        return false;
    std::vector<UINT> next;
    for (const Row& row : m_rows)
        next.push_back(row.state);
    const UINT apply = state & mask;
    for (std::size_t i = 0; i < next.size(); ++i) {
        if (item == -1 || static_cast<int>(i) == item)
            next[i] = (next[i] & ~mask) | apply;
    }
    if (item != -1) {
        for (std::size_t i = 0; i < next.size(); ++i) {
            if (static_cast<int>(i) == item)
                continue;
            if ((apply & LVIS_FOCUSED))
                next[i] &= ~LVIS_FOCUSED;
            if ((apply & LVIS_SELECTED) && IsSingleSelection())
                next[i] &= ~LVIS_SELECTED;
        }
        if (apply & LVIS_SELECTED)
            m_selectionMark = item;
    } else if (IsSingleSelection() && (apply & LVIS_SELECTED)) {
        // One selected row at most: the first keeps it.
        for (std::size_t i = 1; i < next.size(); ++i)
            next[i] &= ~LVIS_SELECTED;
    }
    applyStates(next);
    return true;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const {
    return validRow(item) ? (m_rows[static_cast<std::size_t>(item)].state & mask) : 0;
}

int CListCtrl::GetNextItem(int start, UINT flags) const {
    const UINT wanted = flags & (LVNI_SELECTED | LVNI_FOCUSED);
    for (int i = std::max(0, start + 1); i < GetItemCount(); ++i) {
        if ((m_rows[static_cast<std::size_t>(i)].state & wanted) == wanted)
            return i;
    }
    return -1;
}

UINT CListCtrl::GetSelectedCount() const {
    return static_cast<UINT>(std::count_if(m_rows.begin(), m_rows.end(), [](const Row& row) {
        return (row.state & LVIS_SELECTED) != 0;
    }));
}

int CListCtrl::SetSelectionMark(int item) {
    const int previous = m_selectionMark;
    m_selectionMark = validRow(item) ? item : -1;
    return previous;
}

POSITION CListCtrl::GetFirstSelectedItemPosition() const {
    const int first = GetNextItem(-1, LVNI_SELECTED);
    return first < 0 ? nullptr : toPosition(first);
}

int CListCtrl::GetNextSelectedItem(POSITION& position) const {
    if (!position)
        return -1;
    const int current = fromPosition(position);
    const int next = GetNextItem(current, LVNI_SELECTED);
    position = next < 0 ? nullptr : toPosition(next);
    return current;
}

int CListCtrl::GetCountPerPage() const {
    return std::max(1, (GetRect().Height() - kHeaderHeight) / kRowHeight);
}

bool CListCtrl::EnsureVisible(int item, bool /*partialOK*/) {
    if (!validRow(item))
        return false;
    const int page = GetCountPerPage();
    int top = m_topIndex;
    if (item < top)
        top = item;
    if (item >= top + page)
        top = item - page + 1;
    if (top != m_topIndex) {
        m_topIndex = top;
        Changed(WindowChange::Content);
    }
    return true;
}

void CListCtrl::activate(UINT code, int item, UINT modifiers) {
    NMITEMACTIVATE activation;
    activation.iItem = item;
    activation.uKeyFlags = modifiers;
    if (validRow(item))
        activation.lParam = static_cast<LPARAM>(m_rows[static_cast<std::size_t>(item)].data);
    NotifyParent(code, &activation.hdr);
}

bool CListCtrl::Click(int item, UINT modifiers) {
    if (!IsWindow() || (item != -1 && !validRow(item)) || !controls::PersonCanReach(*this))
        return false;
    SetFocus();
    std::vector<UINT> next;
    for (const Row& row : m_rows)
        next.push_back(row.state);
    const bool several = !IsSingleSelection();
    const int anchor = m_selectionMark;
    for (std::size_t i = 0; i < next.size(); ++i) {
        const int row = static_cast<int>(i);
        UINT state = next[i] & ~LVIS_FOCUSED;
        if (row == item)
            state |= LVIS_FOCUSED;
        if (item == -1) {
            state &= ~LVIS_SELECTED;
        } else if (several && (modifiers & MK_SHIFT) && anchor >= 0) {
            const bool inRange = row >= std::min(anchor, item) && row <= std::max(anchor, item);
            const bool kept = (modifiers & MK_CONTROL) && (state & LVIS_SELECTED);
            state = (inRange || kept) ? (state | LVIS_SELECTED) : (state & ~LVIS_SELECTED);
        } else if (several && (modifiers & MK_CONTROL)) {
            if (row == item)
                state ^= LVIS_SELECTED;
        } else {
            state = row == item ? (state | LVIS_SELECTED) : (state & ~LVIS_SELECTED);
        }
        next[i] = state;
    }
    if (item >= 0 && !(several && (modifiers & MK_SHIFT) && anchor >= 0))
        m_selectionMark = item;
    applyStates(next);
    if (IsWindow())
        activate(NM_CLICK, item, modifiers);
    return true;
}

bool CListCtrl::DoubleClick(int item) {
    if (!Click(item))
        return false;
    if (IsWindow())
        activate(NM_DBLCLK, item, 0);
    return true;
}

void CListCtrl::reset() {
    m_columns.clear();
    m_rows.clear();
    m_extendedStyle = 0;
    m_selectionMark = -1;
    m_topIndex = 0;
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    if (message == WM_DESTROY)
        reset();
    return CWnd::DefWindowProc(message, wParam, lParam);
}

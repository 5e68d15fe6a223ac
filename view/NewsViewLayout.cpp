#include "NewsViewLayout.h"

#include <algorithm>

CNewsViewLayout::CNewsViewLayout(const CRect& client, int titleHeight, int serviceCount)
    : m_client(client),
      m_top(client.top + std::max(0, titleHeight)),
      m_x0(serviceCount == 1 ? client.left : client.left + kServiceButtonRoom) {}

CRect CNewsViewLayout::TabStrip() const {
    return CRect(m_client.left, m_top, m_client.right, m_top + kTabHeight);
}

CRect CNewsViewLayout::SelectServiceButton() const {
    // With one service the button has no width: x0 is the left edge.
    return CRect(m_client.left + 4, m_top + 27, std::max(m_client.left + 4, m_x0), m_top + 47);
}

CRect CNewsViewLayout::CompactSelectServiceButton() const {
    return CRect(CPoint(m_client.left + 1, m_client.top + 1), CSize(80, 20));
}

CRect CNewsViewLayout::DatePicker() const {
    return CRect(m_x0 + 4, m_top + 25, m_x0 + 124, m_top + 25 + kControlHeight);
}

CRect CNewsViewLayout::ComboBox() const {
    return CRect(m_x0 + 4, m_top + 25, m_x0 + 124, m_top + 25 + kDropDownHeight);
}

CRect CNewsViewLayout::ControlRow() const {
    return CRect(m_client.left, m_top + 27, m_client.right, m_top + 47);
}

CRect CNewsViewLayout::KeywordEdit(const CRect& row) {
    return CRect(row.left + 4, row.top, row.left + 84, row.bottom);
}

CRect CNewsViewLayout::SearchButton(const CRect& row) {
    return CRect(row.left + 87, row.top, row.left + 147, row.bottom);
}

CRect CNewsViewLayout::AdvancedSearchButton(const CRect& row) {
    return CRect(row.left + 154, row.top, row.left + 214, row.bottom);
}

CRect CNewsViewLayout::WarningButton(const CRect& row) {
    return KeywordEdit(row);
}

CRect CNewsViewLayout::RelationSearchButton(const CRect& combo) {
    // The combos' rectangle includes their drop-down list; a button that tall
    // would cover the first rows of the sheet, so it takes the closed height.
    return CRect(combo.left, combo.top, combo.right,
                 std::min(combo.bottom, combo.top + kControlHeight));
}

CRect CNewsViewLayout::SheetBelow(int offset) const {
    return SheetAt(m_top + offset);
}

CRect CNewsViewLayout::SheetAt(int absoluteTop) const {
    return CRect(m_client.left, absoluteTop, m_client.right,
                 std::max(absoluteTop, m_client.bottom));
}

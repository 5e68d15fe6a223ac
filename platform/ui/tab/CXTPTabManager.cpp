#include "CXTPTabManager.h"

#include <algorithm>

#include "ui/CWnd.h"

void CXTPTabManagerItem::SetCaption(const char* caption) {
    const CString next(caption ? caption : "");
    if (next == m_strCaption)
        return;
    m_strCaption = next;
    if (m_pManager)
        m_pManager->OnItemsChanged();
}

int CXTPTabManagerItem::GetIndex() const {
    return m_pManager ? m_pManager->FindItem(this) : -1;
}

bool CXTPTabManagerItem::IsSelected() const {
    return m_pManager && m_pManager->GetCurSel() == GetIndex();
}

void CXTPTabManagerItem::Select() {
    if (m_pManager)
        m_pManager->SetCurSel(GetIndex());
}

CXTPTabManager::~CXTPTabManager() {
    for (auto& item : m_items)
        item->m_pManager = nullptr;
}

CXTPTabManagerItem* CXTPTabManager::InsertItem(int index, const char* caption, CWnd* child,
                                               int image, CXTPTabManagerItem* existing) {
    if (existing && existing->m_pManager)
        return nullptr;
    std::unique_ptr<CXTPTabManagerItem> item(existing ? existing : new CXTPTabManagerItem);
    item->m_pManager = this;
    item->m_strCaption = caption ? caption : "";
    item->m_hwndChild = child ? child->GetSafeHwnd() : 0;
    item->m_iImage = image;
    const int count = GetItemCount();
    if (index < 0 || index > count)
        index = count;
    CXTPTabManagerItem* inserted = item.get();
    m_items.insert(m_items.begin() + index, std::move(item));
    const bool firstSelection = m_iSelected < 0;
    if (firstSelection) {
        m_iSelected = index;
    } else if (index <= m_iSelected) {
        ++m_iSelected;  // the same tab stays selected
    }
    OnItemsChanged();
    if (firstSelection)
        OnSelectionChanged();
    return inserted;
}

bool CXTPTabManager::DeleteItem(int index) {
    if (index < 0 || index >= GetItemCount())
        return false;
    m_items[static_cast<std::size_t>(index)]->m_pManager = nullptr;
    m_items.erase(m_items.begin() + index);
    const bool selectionMoved = index == m_iSelected;
    if (index < m_iSelected) {
        --m_iSelected;
    } else if (selectionMoved) {
        m_iSelected = std::min(index, GetItemCount() - 1);
    }
    OnItemsChanged();
    if (selectionMoved)
        OnSelectionChanged();
    return true;
}

void CXTPTabManager::DeleteAllItems() {
    if (m_items.empty())
        return;
    for (auto& item : m_items)
        item->m_pManager = nullptr;
    m_items.clear();
    m_iSelected = -1;
    OnItemsChanged();
    OnSelectionChanged();
}

CXTPTabManagerItem* CXTPTabManager::GetItem(int index) const {
    if (index < 0 || index >= GetItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)].get();
}

int CXTPTabManager::FindItem(const CXTPTabManagerItem* item) const {
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].get() == item)
            return static_cast<int>(i);
    }
    return -1;
}

int CXTPTabManager::SetCurSel(int index) {
    if (index < 0 || index >= GetItemCount())
        return -1;
    const int previous = m_iSelected;
    if (index != previous) {
        m_iSelected = index;
        OnSelectionChanged();
    }
    return previous;
}

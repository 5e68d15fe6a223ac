#pragma once
// The items of a tab strip and which one is selected, apart from any window:
// captions, item data, images and the child window each tab stands for.
// Selecting from code tells nobody; the strip that owns the manager decides
// what a person's choice sends.
#include <cstdint>
#include <memory>
#include <vector>

#include "CString.h"
#include "ui/Geometry.h"
#include "ui/WinDefs.h"

class CWnd;
class CXTPTabManager;
class CXTPTabPaintManager;

class CXTPTabManagerItem {
  public:
    CXTPTabManagerItem() = default;
    CXTPTabManagerItem(const CXTPTabManagerItem&) = delete;
    CXTPTabManagerItem& operator=(const CXTPTabManagerItem&) = delete;

    const CString& GetCaption() const { return m_strCaption; }
    void SetCaption(const char* caption);
    // A value the owner keeps with the tab; the strip never reads it.
    DWORD_PTR GetData() const { return m_dwData; }
    void SetData(DWORD_PTR data) { m_dwData = data; }
    int GetImageIndex() const { return m_iImage; }
    // The window shown while this tab is selected and hidden otherwise; 0 for none.
    HWND GetHandle() const { return m_hwndChild; }

    // Position in its manager, -1 when in none.
    int GetIndex() const;
    bool IsSelected() const;
    // Selects this tab as SetCurSel does.
    void Select();
    CXTPTabManager* GetTabManager() const { return m_pManager; }
    // Where the tab lies in the strip (client coordinates) at the last layout.
    const CRect& GetRect() const { return m_rcItem; }

  private:
    friend class CXTPTabManager;
    friend class CXTPTabPaintManager;

    CXTPTabManager* m_pManager = nullptr;
    CString m_strCaption;
    DWORD_PTR m_dwData = 0;
    int m_iImage = -1;
    HWND m_hwndChild = 0;
    CRect m_rcItem;
};

class CXTPTabManager {
  public:
    CXTPTabManager() = default;
    virtual ~CXTPTabManager();
    CXTPTabManager(const CXTPTabManager&) = delete;
    CXTPTabManager& operator=(const CXTPTabManager&) = delete;

    // Inserts a tab before `index`; an index below 0 or past the end appends.
    // `existing`, when given, must come from new and belong to no manager: it
    // is adopted (null is returned and nothing adopted when it already
    // belongs to one). The first tab of an empty strip becomes selected.
    CXTPTabManagerItem* InsertItem(int index, const char* caption, CWnd* child = nullptr,
                                   int image = -1, CXTPTabManagerItem* existing = nullptr);
    // Removes and deletes a tab; a removed selected tab passes the selection
    // to the tab that takes its place (or the new last one).
    bool DeleteItem(int index);
    void DeleteAllItems();

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // Null for an index out of range.
    CXTPTabManagerItem* GetItem(int index) const;
    int FindItem(const CXTPTabManagerItem* item) const;

    // -1 when there is no tab.
    int GetCurSel() const { return m_iSelected; }
    // Selects a tab without notifying anyone. Returns the previous selection,
    // or -1 (nothing changed) for an index out of range.
    int SetCurSel(int index);
    CXTPTabManagerItem* GetSelectedItem() const { return GetItem(m_iSelected); }

  protected:
    // Hooks for the window that shows the manager.
    virtual void OnItemsChanged() {}
    virtual void OnSelectionChanged() {}

  private:
    friend class CXTPTabManagerItem;

    std::vector<std::unique_ptr<CXTPTabManagerItem>> m_items;
    int m_iSelected = -1;
};

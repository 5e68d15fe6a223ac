#pragma once
// Popup menus: items with command ids and texts, separators, check marks,
// greyed items and submenus. Tracking goes to the person through the front end.
#include <memory>
#include <vector>

#include "CString.h"
#include "Geometry.h"
#include "WinDefs.h"

class CWnd;

class CMenu {
  public:
    struct Item {
        UINT id = 0;
        CString text;
        UINT flags = 0;                  // MF_SEPARATOR, MF_CHECKED, MF_GRAYED, MF_POPUP
        std::unique_ptr<CMenu> submenu;  // a copy of the submenu given to AppendMenu
    };

    CMenu() = default;
    CMenu(const CMenu& other);
    CMenu& operator=(const CMenu& other);
    CMenu(CMenu&&) noexcept = default;
    CMenu& operator=(CMenu&&) noexcept = default;

    bool CreatePopupMenu();
    bool DestroyMenu();
    bool IsCreated() const { return m_created; }

    bool AppendMenu(UINT flags, UINT id = 0, const char* text = nullptr);
    // MF_POPUP: the submenu's items are copied in, as they stand now.
    bool AppendMenu(UINT flags, const CMenu& submenu, const char* text);
    // Inserts before `position` (MF_BYPOSITION); a position past the end appends.
    bool InsertMenu(UINT position, UINT flags, UINT id = 0, const char* text = nullptr);
    bool InsertMenu(UINT position, UINT flags, const CMenu& submenu, const char* text);
    bool DeleteMenu(UINT position, UINT flags);

    // Returns the previous state (MF_CHECKED or MF_UNCHECKED), -1 when absent.
    int CheckMenuItem(UINT id, UINT check);
    int EnableMenuItem(UINT id, UINT enable);
    // State flags of an item by command id, or -1 (0xFFFFFFFF) when absent.
    UINT GetMenuState(UINT id, UINT flags = MF_BYCOMMAND) const;
    int GetMenuItemCount() const { return static_cast<int>(m_items.size()); }
    UINT GetMenuItemID(int position) const;  // -1 for a submenu or out of range
    CString GetMenuString(UINT idOrPosition, UINT flags) const;
    const CMenu* GetSubMenu(int position) const;
    const std::vector<Item>& Items() const { return m_items; }
    // Searches submenus too.
    bool HasCommand(UINT id) const;

    // Shows the menu at a screen point for the person. With TPM_RETURNCMD the
    // chosen command is returned and nothing is sent; otherwise the command (if
    // any) is posted to the owner as WM_COMMAND and the result is whether one
    // was chosen.
    UINT TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const;

  private:
    const Item* find(UINT id) const;
    Item* find(UINT id);
    std::vector<Item> m_items;
    bool m_created = false;
};

#include "CMenu.h"

#include "CWnd.h"
#include "UserServices.h"
#include "WindowSystem.h"

namespace {
CMenu::Item copyItem(const CMenu::Item& item) {
    CMenu::Item out;
    out.id = item.id;
    out.text = item.text;
    out.flags = item.flags;
    if (item.submenu)
        out.submenu = std::make_unique<CMenu>(*item.submenu);
    return out;
}
}  // namespace

CMenu::CMenu(const CMenu& other) : m_created(other.m_created) {
    for (const auto& item : other.m_items)
        m_items.push_back(copyItem(item));
}

CMenu& CMenu::operator=(const CMenu& other) {
    if (this != &other) {
        CMenu copy(other);
        *this = std::move(copy);
    }
    return *this;
}

bool CMenu::CreatePopupMenu() {
    if (m_created)
        return false;
    m_created = true;
    m_items.clear();
    return true;
}

bool CMenu::DestroyMenu() {
    const bool was = m_created;
    m_created = false;
    m_items.clear();
    return was;
}

bool CMenu::AppendMenu(UINT flags, UINT id, const char* text) {
    return InsertMenu(static_cast<UINT>(m_items.size()), flags | MF_BYPOSITION, id, text);
}

bool CMenu::AppendMenu(UINT flags, const CMenu& submenu, const char* text) {
    return InsertMenu(static_cast<UINT>(m_items.size()), flags | MF_BYPOSITION, submenu, text);
}

bool CMenu::InsertMenu(UINT position, UINT flags, UINT id, const char* text) {
    if (!m_created)
        return false;
    Item item;
    item.id = (flags & MF_SEPARATOR) ? 0 : id;
    item.text = (flags & MF_SEPARATOR) ? "" : (text ? text : "");
    item.flags = flags & (MF_SEPARATOR | MF_CHECKED | MF_GRAYED);
    const auto at = std::min<std::size_t>(position, m_items.size());
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return true;
}

bool CMenu::InsertMenu(UINT position, UINT flags, const CMenu& submenu, const char* text) {
    if (!m_created)
        return false;
    Item item;
    item.text = text ? text : "";
    item.flags = MF_POPUP | (flags & MF_GRAYED);
    item.submenu = std::make_unique<CMenu>(submenu);
    const auto at = std::min<std::size_t>(position, m_items.size());
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), std::move(item));
    return true;
}

bool CMenu::DeleteMenu(UINT position, UINT flags) {
    if (flags & MF_BYPOSITION) {
        if (position >= m_items.size())
            return false;
        m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(position));
        return true;
    }
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (!(it->flags & MF_POPUP) && it->id == position) {
            m_items.erase(it);
            return true;
        }
    }
    return false;
}

const CMenu::Item* CMenu::find(UINT id) const {
    for (const auto& item : m_items) {
        if (!(item.flags & (MF_POPUP | MF_SEPARATOR)) && item.id == id)
            return &item;
        if (item.submenu) {
            if (const Item* found = item.submenu->find(id))
                return found;
        }
    }
    return nullptr;
}

CMenu::Item* CMenu::find(UINT id) {
    return const_cast<Item*>(static_cast<const CMenu*>(this)->find(id));
}

int CMenu::CheckMenuItem(UINT id, UINT check) {
    Item* item = find(id);
    if (!item)
        return -1;
    const int previous =
        (item->flags & MF_CHECKED) ? static_cast<int>(MF_CHECKED) : static_cast<int>(MF_UNCHECKED);
    item->flags = (item->flags & ~MF_CHECKED) | (check & MF_CHECKED);
    return previous;
}

int CMenu::EnableMenuItem(UINT id, UINT enable) {
    Item* item = find(id);
    if (!item)
        return -1;
    const int previous = static_cast<int>(item->flags & MF_GRAYED);
    item->flags = (item->flags & ~MF_GRAYED) | (enable & MF_GRAYED);
    return previous;
}

UINT CMenu::GetMenuState(UINT id, UINT flags) const {
    if (flags & MF_BYPOSITION)
        return id < m_items.size() ? m_items[id].flags : static_cast<UINT>(-1);
    const Item* item = find(id);
    return item ? item->flags : static_cast<UINT>(-1);
}

UINT CMenu::GetMenuItemID(int position) const {
    if (position < 0 || position >= GetMenuItemCount())
        return static_cast<UINT>(-1);
    const Item& item = m_items[static_cast<std::size_t>(position)];
    return (item.flags & MF_POPUP) ? static_cast<UINT>(-1) : item.id;
}

CString CMenu::GetMenuString(UINT idOrPosition, UINT flags) const {
    if (flags & MF_BYPOSITION)
        return idOrPosition < m_items.size() ? m_items[idOrPosition].text : CString();
    const Item* item = find(idOrPosition);
    return item ? item->text : CString();
}

const CMenu* CMenu::GetSubMenu(int position) const {
    if (position < 0 || position >= GetMenuItemCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(position)].submenu.get();
}

bool CMenu::HasCommand(UINT id) const {
    return find(id) != nullptr;
}

UINT CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner) const {
    WindowSystem* system = owner ? owner->GetWindowSystem() : WindowSystem::CurrentOrNull();
    if (!system || m_items.empty())
        return 0;  // an empty menu shows nothing
    const UINT command =
        system->GetFrontEnd().Person().TrackPopupMenu(*this, flags, CPoint(x, y), owner);
    if (flags & TPM_RETURNCMD)
        return command;
    if (command != 0 && owner)
        owner->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(command), 0), 0);
    return command != 0 ? 1 : 0;
}

// SKQNewsCtrlView: the keyword history and the stored condition lists - read
// when the search sheets are created, written when the host asks.
//
// A stored condition string that this program cannot read (a newer format,
// a damaged value) is never lost: it is kept aside in its stored order and
// written back after the conditions the view holds. The warning conditions
// are shared by every view of the same name and key1, so a view writes them
// only when they differ from what it read: a view that did not touch them
// must not overwrite another view's changes with its stale copy.
#include <filesystem>

#include "SKQCfgIO2.h"
#include "SKQNewsCtrlView.h"

namespace {

constexpr const char* kKeyword = "Keyword";
constexpr const char* kSearchItems = "SearchItems";
constexpr const char* kRelationSearchItems = "RelationSearchItems";
constexpr const char* kWarningSearchItems = "WarningSearchItems";
constexpr const char* kWarningSearchItemOrder = "WarningSearchItemOrder";

// Loads each string into a new condition appended to `held`; the strings that
// do not load go to `unread`, in their order.
template <class Condition>
void loadConditions(const std::vector<CString>& strings, std::vector<Condition>& held,
                    std::vector<CString>& unread) {
    for (const CString& text : strings) {
        Condition condition;
        if (condition.LoadString(text))
            held.push_back(std::move(condition));
        else
            unread.push_back(text);
    }
}

// The list as it is written: the held conditions in list order, then the
// unread strings.
template <class Condition>
std::vector<CString> conditionStrings(const std::vector<Condition>& held,
                                      const std::vector<CString>& unread) {
    std::vector<CString> strings;
    strings.reserve(held.size() + unread.size());
    for (const Condition& condition : held) {
        CString text;
        condition.GetString(text);
        strings.push_back(std::move(text));
    }
    strings.insert(strings.end(), unread.begin(), unread.end());
    return strings;
}

}  // namespace

std::vector<CString> SKQNewsCtrlView::vecReadDefaultList(const char* key) {
    std::vector<CString> strings;
    const CString folder = SKQCfgIO2::m_strCurrentDir + "\\SYS\\";
    // Reading must not leave an empty System store behind where there was none.
    std::error_code ec;
    if (!std::filesystem::exists(SKQCfgIO2::FileName(folder, "System"), ec))
        return strings;
    const auto system = std::make_unique<SKQCfgIO2>(folder, "System");
    system->GetViewDefaultInfo(kClassKey, key, strings);
    return strings;
}

bool SKQNewsCtrlView::bInitialSearchCtrl(SKQCfgIO2* cfg, const CString& name, int key1, int key2) {
    if (!cfg)
        return true;
    std::vector<CString> strings;
    if (cfg->GetViewInfo(name, key1, key2, kClassKey, kKeyword, strings))
        m_vecKeywordHistory = strings;

    strings.clear();
    if (cfg->GetViewInfo(name, key1, key2, kClassKey, kSearchItems, strings))
        loadConditions(strings, m_vecSearchItem, m_storedSearchItems.vecUnread);

    strings.clear();
    if (cfg->GetViewInfo(name, key1, key2, kClassKey, kRelationSearchItems, strings))
        loadConditions(strings, m_vecRelationSearchItem, m_storedRelationItems.vecUnread);
    // Only a list with nothing in it at all takes the factory conditions; one
    // whose strings this program cannot read keeps them.
    if (m_vecRelationSearchItem.empty() && m_storedRelationItems.vecUnread.empty())
        loadConditions(vecReadDefaultList(kRelationSearchItems), m_vecRelationSearchItem,
                       m_storedRelationItems.vecUnread);

    strings.clear();
    if (cfg->GetViewCommonInfo(name, key1, kWarningSearchItems, strings))
        loadConditions(strings, m_vecWarningSearchItem, m_storedWarningItems.vecUnread);
    int order = 0;
    if (cfg->GetViewCommonInfo(name, key1, kWarningSearchItemOrder, order) && order != 0)
        m_iWarningItemOrder = order;
    if (m_vecWarningSearchItem.empty() && m_storedWarningItems.vecUnread.empty())
        loadConditions(vecReadDefaultList(kWarningSearchItems), m_vecWarningSearchItem,
                       m_storedWarningItems.vecUnread);

    m_storedWarningItems.vecAsRead =
        conditionStrings(m_vecWarningSearchItem, m_storedWarningItems.vecUnread);
    m_iWarningItemOrderAsRead = m_iWarningItemOrder;
    return true;
}

void SKQNewsCtrlView::vSaveSearchSettings(SKQCfgIO2* cfg, const CString& name, int key1, int key2) {
    if (m_apSheet[kModeSearch]) {
        cfg->SaveViewInfo(name, key1, key2, kClassKey, kKeyword, m_vecKeywordHistory);
        cfg->SaveViewInfo(name, key1, key2, kClassKey, kSearchItems,
                          conditionStrings(m_vecSearchItem, m_storedSearchItems.vecUnread));
    }
    if (m_apSheet[kModeRelationSearch])
        cfg->SaveViewInfo(
            name, key1, key2, kClassKey, kRelationSearchItems,
            conditionStrings(m_vecRelationSearchItem, m_storedRelationItems.vecUnread));
    if (m_apSheet[kModeWarningSearch]) {
        const std::vector<CString> warning =
            conditionStrings(m_vecWarningSearchItem, m_storedWarningItems.vecUnread);
        if (warning != m_storedWarningItems.vecAsRead &&
            cfg->SaveViewCommonInfo(name, key1, kWarningSearchItems, warning))
            m_storedWarningItems.vecAsRead = warning;
        if (m_iWarningItemOrder != m_iWarningItemOrderAsRead &&
            cfg->SaveViewCommonInfo(name, key1, kWarningSearchItemOrder, m_iWarningItemOrder))
            m_iWarningItemOrderAsRead = m_iWarningItemOrder;
    }
}

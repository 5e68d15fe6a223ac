#include "RelationSearchDlg.h"
#include "ui/controls/ControlTexts.h"
#include "ui/controls/DialogUnits.h"

#include <algorithm>

#include "HostApi.h"
#include "SymbolApi.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"
#include "ui/controls/DataExchange.h"

namespace {

// The template's 9-point font, as in the advanced search dialog.
constexpr DialogUnits kUnits(7, 15);

bool isCommodityMarket(BYTE market) {
    return market == 1 || market == 109;
}

CString symbolLine(BYTE market, const CString& id, const CString& name) {
    CString exName;
    BK_bGetServiceExName(market, exName);
    return CString::Formatted("[%s]%-8s %s", exName.c_str(), id.c_str(), name.c_str());
}

// The name of a symbol key: the commodity's for the commodity markets.
bool symbolName(BYTE market, const CString& key, CString& name) {
    std::vector<X1Format> values;
    const bool found =
        isCommodityMarket(market)
            ? BK_bGetCommodityItemDataByItemNo(values, market, key, {kItemCommodityName}, nullptr)
            : BK_bGetItemDataByItemNo(market, key, {kItemSymbolName}, values, true, nullptr,
                                      nullptr);
    if (!found || values.empty())
        return false;
    name = values.front();
    return true;
}

}  // namespace

CRelationSearchDlg::CRelationSearchDlg(std::vector<CString>* history,
                                       std::vector<CRelationSearch>* items, CWnd* parent,
                                       std::function<std::vector<CString>()> readDefaults)
    : CDialog(IDD, parent), m_readDefaults(std::move(readDefaults)) {
    if (history)
        m_vecHistory = *history;
    if (items)
        m_vecItem = *items;
    MessageMap& map = GetMessageMap();
    m_keywords.vBindMessages(map);
    map.OnControl(IDC_MARKET, CBN_SELCHANGE, [this] { OnMarketChanged(); });
    map.OnControl(IDC_TYPE, CBN_SELCHANGE, [this] { OnTypeChanged(); });
    map.OnControl(IDC_GROUPS, LBN_SELCHANGE, [this] { OnGroupChanged(); });
    map.OnControl(IDC_QUERY, EN_CHANGE, [this] { OnQueryChanged(); });
    map.OnControl(IDC_CONFIRM, BN_CLICKED, [this] { OnConfirmSymbol(); });
    map.OnControl(IDC_SYMBOLS, LBN_DBLCLK, [this] { OnConfirmSymbol(); });
    map.OnControl(IDC_ADD_ITEM, BN_CLICKED, [this] { OnAddItem(); });
    map.OnControl(IDC_REMOVE_ITEM, BN_CLICKED, [this] { OnRemoveItem(); });
    map.OnControl(IDC_DEFAULT, BN_CLICKED, [this] { OnSystemDefault(); });
    map.OnNotify(IDC_ITEMS, LVN_ITEMCHANGED, [this](NMHDR* header, LRESULT*) {
        const auto* change = reinterpret_cast<NMLISTVIEW*>(header);
        if ((change->uNewState & LVIS_SELECTED) && !(change->uOldState & LVIS_SELECTED))
            OnItemSelected();
    });
}

DialogTemplate CRelationSearchDlg::Template() {
    DialogTemplate t;
    t.id = IDD;
    t.caption = "關鍵搜尋設定";
    t.size = CSize(kUnits.X(383), kUnits.Y(356));
    constexpr DWORD kShown = WS_VISIBLE | WS_TABSTOP;
    constexpr DWORD kList = kShown | WS_BORDER | WS_VSCROLL;
    auto add = [&](ControlType type, UINT id, const char* text, CRect rect,
                   DWORD style = WS_VISIBLE | WS_TABSTOP) {
        t.controls.push_back({type, id, text, rect, style});
    };
    // The symbol picker.
    add(ControlType::GroupBox, IDC_SYMBOL_GROUP, "A商品設定", kUnits.Box(7, 5, 369, 128),
        WS_VISIBLE);
    add(ControlType::Static, IDC_MARKET_LABEL, "A市場名稱", kUnits.Box(14, 19, 50, 10), WS_VISIBLE);
    add(ControlType::ComboBox, IDC_MARKET, "", kUnits.Box(66, 17, 100, 120),
        kShown | WS_GROUP | WS_VSCROLL | CBS_DROPDOWNLIST);
    add(ControlType::Static, IDC_TYPE_LABEL, "A型態", kUnits.Box(176, 19, 40, 10), WS_VISIBLE);
    add(ControlType::ComboBox, IDC_TYPE, "", kUnits.Box(218, 17, 92, 120),
        kShown | WS_VSCROLL | CBS_DROPDOWNLIST);
    add(ControlType::ListBox, IDC_GROUPS, "", kUnits.Box(14, 36, 110, 72), kList);
    add(ControlType::Static, IDC_QUERY_LABEL, "A查詢", kUnits.Box(130, 38, 40, 10), WS_VISIBLE);
    add(ControlType::Edit, IDC_QUERY, "", kUnits.Box(172, 36, 124, 14), kShown | WS_BORDER);
    add(ControlType::ListBox, IDC_SYMBOLS, "", kUnits.Box(130, 54, 166, 54),
        kList | LBS_EXTENDEDSEL);
    add(ControlType::PushButton, IDC_CONFIRM, "A商品確認", kUnits.Box(302, 54, 70, 14));
    add(ControlType::Static, IDC_SYMBOL_LABEL, "A商品名稱:", kUnits.Box(14, 114, 56, 10),
        WS_VISIBLE);
    add(ControlType::Static, IDC_SYMBOL_TEXT, "", kUnits.Box(72, 114, 300, 10), WS_VISIBLE);
    // The condition, as in the advanced dialog.
    add(ControlType::GroupBox, IDC_GROUP_LEFT, "A條件設定", kUnits.Box(7, 137, 180, 212),
        WS_VISIBLE);
    add(ControlType::GroupBox, IDC_GROUP_RIGHT, "A條件設定", kUnits.Box(193, 137, 183, 98),
        WS_VISIBLE);
    CKeywordPart::vAddControls(t, CPoint(kUnits.X(14), kUnits.Y(150)),
                               CPoint(kUnits.X(201), kUnits.Y(150)), kUnits);
    add(ControlType::PushButton, IDC_ADD_ITEM, "A加入", kUnits.Box(311, 186, 56, 14));
    // The items.
    add(ControlType::ListView, IDC_ITEMS, "List2", kUnits.Box(193, 240, 183, 88),
        kShown | WS_BORDER | WS_GROUP | LVS_REPORT | LVS_SHOWSELALWAYS);
    add(ControlType::PushButton, IDC_REMOVE_ITEM, "A刪除", kUnits.Box(193, 334, 50, 14));
    add(ControlType::PushButton, IDC_DEFAULT, "A系統預設", kUnits.Box(249, 334, 72, 14));
    add(ControlType::DefPushButton, IDOK, "OK", kUnits.Box(326, 334, 50, 14), kShown | WS_GROUP);
    return t;
}

void CRelationSearchDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, static_cast<int>(IDC_MARKET), m_cbMarket);
    DDX_Control(pDX, static_cast<int>(IDC_TYPE), m_cbType);
    DDX_Control(pDX, static_cast<int>(IDC_GROUPS), m_lbGroup);
    DDX_Control(pDX, static_cast<int>(IDC_SYMBOLS), m_lbSymbol);
    DDX_Control(pDX, static_cast<int>(IDC_ITEMS), m_lcItem);
    DDX_Text(pDX, static_cast<int>(IDC_SYMBOL_TEXT), m_strSymbolText);
    m_keywords.DoDataExchange(pDX);
}

bool CRelationSearchDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    vLoadLanguageString();
    std::vector<CString> names;
    if (BK_bGetQuoteServiceID(m_vecQuoteService, names) && !names.empty()) {
        for (const CString& name : names)
            m_cbMarket.AddString(name.c_str());
        m_cbMarket.SetCurSel(0);
        OnMarketChanged();
    }
    m_keywords.vFillHistory(m_vecHistory);
    m_lcItem.SetExtendedStyle(LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP);
    const std::tuple<const char*, int, int> columns[] = {
        {"IDS_DIALOG-DEAL-SEARCH_SEARCH_SERVICE", LVCFMT_LEFT, 72},
        {"IDS_DIALOG-DEAL-SEARCH_SEARCH_SYMBOL", LVCFMT_LEFT, 72},
        {"IDS_DIALOG-DEAL-SEARCH_SEARCH_SCOPE", LVCFMT_LEFT, 96},
        {"IDS_DIALOG-DEAL-SEARCH_SEARCH_METHOD", LVCFMT_CENTER, 72},
        {"IDS_DIALOG-DEAL-SEARCH_SEARCH_CONTENTS", LVCFMT_LEFT, 192},
    };
    int column = 0;
    for (const auto& [key, format, width] : columns)
        m_lcItem.InsertColumn(column++, s_LangGetLangString(key).c_str(), format, width);
    vRebuildRows();
    return true;
}

void CRelationSearchDlg::vLoadLanguageString() {
    SetWindowText(s_LangGetLangString("IDS_DIALOG-DEAL-SEARCH_RELATION_TITLE"));
    SetControlTexts(*this, {
                               {IDC_SYMBOL_GROUP, "IDS_DIALOG-DEAL-SEARCH_MARKET_GROUP"},
                               {IDC_MARKET_LABEL, "IDS_DIALOG-DEAL-SEARCH_MARKET_NAME"},
                               {IDC_TYPE_LABEL, "IDS_DIALOG-DEAL-SEARCH_MARKET_TYPE"},
                               {IDC_QUERY_LABEL, "IDS_DIALOG-DEAL-SEARCH_QUERY_NAME"},
                               {IDC_CONFIRM, "IDS_DIALOG-DEAL-SEARCH_SELSYMBOL"},
                               {IDC_SYMBOL_LABEL, "IDS_DIALOG-DEAL-SEARCH_SYMBOLNAME"},
                               {IDC_GROUP_LEFT, "IDS_DIALOG-DEAL-SEARCH_GROUP1"},
                               {IDC_GROUP_RIGHT, "IDS_DIALOG-DEAL-SEARCH_GROUP1"},
                               {IDC_ADD_ITEM, "IDS_DIALOG-DEAL-SEARCH_ADD_ITEMS"},
                               {IDC_REMOVE_ITEM, "IDS_DIALOG-DEAL-SEARCH_REMOVE_BUTTON"},
                               {IDC_DEFAULT, "IDS_DIALOG-DEAL-SEARCH_DEFAULT"},
                           });
    m_keywords.vLoadLanguageString();
}

void CRelationSearchDlg::OnMarketChanged() {
    const int selected = m_cbMarket.GetCurSel();
    if (selected < 0 || selected >= static_cast<int>(m_vecQuoteService.size()))
        return;
    m_byMarket = m_vecQuoteService[static_cast<std::size_t>(selected)];
    m_cbType.ResetContent();
    m_vecGroupType.clear();
    std::vector<CString> ids;
    std::vector<CString> names;
    if (BK_bGetSection(ids, names, m_byMarket) && !ids.empty())
        m_vecGroupType.push_back(kCategorization);
    if (m_byMarket != 'c' && BK_bGetAllCommodityID(ids, names, m_byMarket) && ids.size() > 1)
        m_vecGroupType.push_back(kCommodity);
    if (BK_bGetExchangeIDByService(ids, m_byMarket) && !ids.empty())
        m_vecGroupType.push_back(kExchange);
    const char* typeKeys[] = {"IDS_DIALOG-SYMBOLGROUP_TYPE_CATEGORIZATION",
                              "IDS_DIALOG-SYMBOLGROUP_TYPE_COMMODITY",
                              "IDS_DIALOG-SYMBOLGROUP_TYPE_EXCHANGE"};
    for (const int type : m_vecGroupType)
        m_cbType.AddString(s_LangGetLangString(typeKeys[type]).c_str());
    // Without group types the symbols are still picked from their list.
    m_lbGroup.EnableWindow(!m_vecGroupType.empty());
    if (!m_vecGroupType.empty()) {
        m_cbType.SetCurSel(0);
        OnTypeChanged();
        return;
    }
    // No way to group the market's symbols: all of them are listed at once.
    m_lbGroup.ResetContent();
    m_vecGroupLines.clear();
    m_vecCandidate.clear();
    ids.clear();
    names.clear();
    if (BK_bGetSymbolID(ids, names, m_byMarket, "", "", nullptr)) {
        for (std::size_t i = 0; i < ids.size(); ++i)
            m_vecCandidate.push_back(
                symbolLine(m_byMarket, ids[i], i < names.size() ? names[i] : ""));
    }
    vShowLines(m_vecCandidate);
}

void CRelationSearchDlg::OnTypeChanged() {
    const int selected = m_cbType.GetCurSel();
    if (selected < 0 || selected >= static_cast<int>(m_vecGroupType.size()))
        return;
    m_iGroupType = static_cast<short>(m_vecGroupType[static_cast<std::size_t>(selected)]);
    vFillGroups();
}

void CRelationSearchDlg::vFillGroups() {
    m_lbGroup.ResetContent();
    m_vecGroupLines.clear();
    m_vecCandidate.clear();
    std::vector<CString> ids;
    std::vector<CString> names;
    const auto addGroup = [&](const CString& groupName, std::vector<CString> lines) {
        m_lbGroup.InsertString(-1, groupName.c_str());
        m_vecCandidate.insert(m_vecCandidate.end(), lines.begin(), lines.end());
        m_vecGroupLines.push_back(std::move(lines));
    };
    const auto linesOf = [&](const std::vector<CString>& symbolIds,
                             const std::vector<CString>& symbolNames) {
        std::vector<CString> lines;
        for (std::size_t i = 0; i < symbolIds.size(); ++i)
            lines.push_back(
                symbolLine(m_byMarket, symbolIds[i], i < symbolNames.size() ? symbolNames[i] : ""));
        return lines;
    };
    std::vector<CString> symbolIds;
    std::vector<CString> symbolNames;
    if (m_iGroupType == kCategorization && BK_bGetSection(ids, names, m_byMarket)) {
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (!BK_bHasSymbolBySectionID(m_byMarket, ids[i]))
                continue;
            symbolIds.clear();
            symbolNames.clear();
            BK_bGetSectionSymbolID(symbolIds, symbolNames, m_byMarket, ids[i], nullptr);
            addGroup(names[i], linesOf(symbolIds, symbolNames));
        }
    } else if (m_iGroupType == kCommodity && BK_bGetAllCommodityID(ids, names, m_byMarket)) {
        for (std::size_t i = 0; i < ids.size(); ++i) {
            symbolIds.clear();
            symbolNames.clear();
            BK_bGetSymbolID(symbolIds, symbolNames, m_byMarket, ids[i], "", nullptr);
            addGroup(names[i], linesOf(symbolIds, symbolNames));
        }
    } else if (m_iGroupType == kExchange && BK_bGetExchangeIDByService(ids, m_byMarket)) {
        for (const CString& id : ids) {
            if (!BK_bHasSymbolByExchangeID(m_byMarket, id))
                continue;
            const CString fullName = BK_cszGetExchangeFullNameByExchangeID(m_byMarket, id);
            const CString localName = BK_cszGetExchangeLocalNameByExchangeID(m_byMarket, id);
            const CString groupName =
                fullName.IsEmpty() && localName.IsEmpty()
                    ? CString("Exchange")
                    : CString::Formatted("%s(%s)", fullName.c_str(), localName.c_str());
            symbolIds.clear();
            BK_bGetSymbolIDByExchangeID(symbolIds, m_byMarket, id);
            symbolNames.clear();
            for (const CString& symbol : symbolIds) {
                std::vector<X1Format> values;
                BK_bGetItemDataByItemNo(m_byMarket, symbol, {kItemSymbolName}, values, true,
                                        nullptr, nullptr);
                symbolNames.push_back(values.empty() ? CString() : CString(values.front()));
            }
            addGroup(groupName, linesOf(symbolIds, symbolNames));
        }
    }
    if (m_lbGroup.GetCount() > 0) {
        m_lbGroup.SetCurSel(0);
        OnGroupChanged();
    } else {
        m_lbSymbol.ResetContent();
    }
}

void CRelationSearchDlg::vShowLines(const std::vector<CString>& lines) {
    m_lbSymbol.ResetContent();
    for (const CString& line : lines)
        m_lbSymbol.InsertString(-1, line.c_str());
    if (!lines.empty())
        m_lbSymbol.SetSel(0);
}

void CRelationSearchDlg::OnGroupChanged() {
    const int group = m_lbGroup.GetCurSel();
    if (group < 0 || group >= static_cast<int>(m_vecGroupLines.size()))
        return;
    vShowLines(m_vecGroupLines[static_cast<std::size_t>(group)]);
    if (CWnd* query = GetDlgItem(static_cast<int>(IDC_QUERY));
        query && !query->GetWindowText().IsEmpty())
        query->SetWindowText("");
}

void CRelationSearchDlg::OnQueryChanged() {
    CWnd* edit = GetDlgItem(static_cast<int>(IDC_QUERY));
    if (!edit)
        return;
    CString query = edit->GetWindowText();
    query.MakeUpper();
    if (query.IsEmpty()) {
        const int group = m_lbGroup.GetCurSel();
        if (group >= 0 && group < static_cast<int>(m_vecGroupLines.size()))
            vShowLines(m_vecGroupLines[static_cast<std::size_t>(group)]);
        else if (m_vecGroupLines.empty())
            vShowLines(m_vecCandidate);
        return;
    }
    std::vector<CString> found;
    for (const CString& line : m_vecCandidate) {
        if (line.Find(query.str()) >= 0 &&
            std::find(found.begin(), found.end(), line) == found.end())
            found.push_back(line);
    }
    m_lbSymbol.ResetContent();
    for (const CString& line : found)
        m_lbSymbol.InsertString(-1, line.c_str());
    if (found.size() != 1)
        return;
    m_lbSymbol.SetSel(0);
    for (std::size_t group = 0; group < m_vecGroupLines.size(); ++group) {
        const auto& lines = m_vecGroupLines[group];
        if (std::find(lines.begin(), lines.end(), found.front()) != lines.end()) {
            m_lbGroup.SetCurSel(static_cast<int>(group));
            break;
        }
    }
}

void CRelationSearchDlg::OnConfirmSymbol() {
    const std::vector<int> selected = m_lbSymbol.GetSelItems();
    if (selected.empty())
        return;
    const CString line = m_lbSymbol.GetText(selected.front());
    const int space = line.Find(' ');
    if (space < 0 || line.GetLength() < 5 || line[0] != '[' || line[3] != ']')
        return;
    const BYTE market = BK_byGetServiceIDByExName(line.Mid(1, 2));
    if (market == 0)
        return;
    const CString id = line.Mid(4, space - 4);
    if (!BK_bIsSymbolIDExist(market, id))
        return;
    CString key = id;
    if (isCommodityMarket(market) && !BK_bGetCommodityIDBySymbolID(key, market, id))
        return;
    CString name;
    CString fullName;
    if (!symbolName(market, key, name) || !BK_bGetServiceFullName(market, fullName))
        return;
    m_bySymbolMarket = market;
    m_strSymbolKey = key;
    const CString symbolText = CString::Formatted("%s %s", name.c_str(), key.c_str());
    m_strSymbolText = "[" + fullName + "] " + symbolText;
    if (CWnd* shown = GetDlgItem(static_cast<int>(IDC_SYMBOL_TEXT)))
        shown->SetWindowText(m_strSymbolText);
    for (int row = 0; row < m_lcItem.GetItemCount(); ++row) {
        if (m_lcItem.GetItemText(row, 1) == symbolText) {
            vSelectRow(row);
            break;
        }
    }
}

void CRelationSearchDlg::vWarn(const char* textKey) {
    if (WindowSystem* system = GetWindowSystem())
        system->GetFrontEnd().Person().MessageBox(this, s_LangGetLangString(textKey), "",
                                                  MB_OK | MB_ICONEXCLAMATION);
}

void CRelationSearchDlg::OnAddItem() {
    if (!UpdateData(true))
        return;
    CSearch condition;
    std::vector<CString> history;
    m_keywords.vReadCondition(condition, history);
    if (condition.vecKeyword.empty())
        return;
    // An item without a symbol would never be shown or searched.
    if (m_bySymbolMarket == 0 || m_strSymbolKey.IsEmpty()) {
        vWarn("IDS_DIALOG-DEAL-SEARCH_SELECT_SYMBOL_FIRST");
        return;
    }
    m_itemCurrent.byMarket = m_bySymbolMarket;
    m_itemCurrent.strSymbol = m_strSymbolKey;
    m_itemCurrent.search = condition;
    std::size_t index = 0;
    while (index < m_vecItem.size() && !(m_vecItem[index].byMarket == m_itemCurrent.byMarket &&
                                         m_vecItem[index].strSymbol == m_itemCurrent.strSymbol))
        ++index;
    if (index < m_vecItem.size())
        m_vecItem[index] = m_itemCurrent;
    else
        m_vecItem.push_back(m_itemCurrent);
    vRebuildRows();
    const auto row = std::find(m_vecRowItem.begin(), m_vecRowItem.end(), static_cast<int>(index));
    if (row != m_vecRowItem.end())
        vSelectRow(static_cast<int>(row - m_vecRowItem.begin()));
}

bool CRelationSearchDlg::bRowTexts(const CRelationSearch& item, CString& market,
                                   CString& symbol) const {
    CString name;
    if (!BK_bGetServiceFullName(item.byMarket, market) ||
        !symbolName(item.byMarket, item.strSymbol, name))
        return false;
    symbol = CString::Formatted("%s %s", name.c_str(), item.strSymbol.c_str());
    return true;
}

void CRelationSearchDlg::vRebuildRows() {
    m_lcItem.DeleteAllItems();
    m_vecRowItem.clear();
    const char* scopeKeys[] = {"IDS_DIALOG-DEAL-SEARCH_HEADLINE_SEARCH",
                               "IDS_DIALOG-DEAL-SEARCH_STORY_SEARCH",
                               "IDS_DIALOG-DEAL-SEARCH_HEARLINE_AND_STORY_SEARCH"};
    for (std::size_t i = 0; i < m_vecItem.size(); ++i) {
        CRelationSearch& item = m_vecItem[i];
        CString market;
        CString symbol;
        if (!bRowTexts(item, market, symbol))
            continue;
        // Only AND (1) and OR (2) are shown; anything else is taken as AND.
        if (item.search.byMethod != 1 && item.search.byMethod != 2)
            item.search.byMethod = 1;
        const CString scope =
            item.search.byScope <= 2 ? s_LangGetLangString(scopeKeys[item.search.byScope]) : "";
        const CString method =
            s_LangGetLangString(item.search.byMethod == 2 ? "IDS_DIALOG-DEAL-SEARCH_OR_BUTTON"
                                                          : "IDS_DIALOG-DEAL-SEARCH_AND_BUTTON");
        CString contents;
        for (const CString& keyword : item.search.vecKeyword)
            contents += keyword + " ";
        const int row = m_lcItem.InsertItem(m_lcItem.GetItemCount(), market.c_str());
        m_lcItem.SetItemText(row, 1, symbol.c_str());
        m_lcItem.SetItemText(row, 2, scope.c_str());
        m_lcItem.SetItemText(row, 3, method.c_str());
        m_lcItem.SetItemText(row, 4, contents.c_str());
        m_vecRowItem.push_back(static_cast<int>(i));
    }
}

void CRelationSearchDlg::vSelectRow(int row) {
    for (int other = 0; other < m_lcItem.GetItemCount(); ++other) {
        if (other != row)
            m_lcItem.SetItemState(other, 0, LVIS_SELECTED);
    }
    m_lcItem.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    m_lcItem.EnsureVisible(row);
}

int CRelationSearchDlg::iItemOfRow(int row) const {
    if (row < 0 || row >= static_cast<int>(m_vecRowItem.size()))
        return -1;
    return m_vecRowItem[static_cast<std::size_t>(row)];
}

void CRelationSearchDlg::OnItemSelected() {
    const int item = iItemOfRow(m_lcItem.GetNextItem(-1, LVNI_SELECTED));
    if (item < 0)
        return;
    m_itemCurrent = m_vecItem[static_cast<std::size_t>(item)];
    // The confirmed symbol stays: Add stores under it, not under the loaded one.
    CString fullName;
    CString name;
    BK_bGetServiceFullName(m_itemCurrent.byMarket, fullName);
    symbolName(m_itemCurrent.byMarket, m_itemCurrent.strSymbol, name);
    m_strSymbolText = CString::Formatted("%s %s %s", fullName.c_str(), name.c_str(),
                                         m_itemCurrent.strSymbol.c_str());
    if (CWnd* shown = GetDlgItem(static_cast<int>(IDC_SYMBOL_TEXT)))
        shown->SetWindowText(m_strSymbolText);
    m_keywords.vShowCondition(m_itemCurrent.search);
}

void CRelationSearchDlg::OnRemoveItem() {
    const int item = iItemOfRow(m_lcItem.GetNextItem(-1, LVNI_SELECTED));
    if (item < 0)
        return;
    m_vecItem.erase(m_vecItem.begin() + item);
    vRebuildRows();
}

void CRelationSearchDlg::OnSystemDefault() {
    if (!m_readDefaults)
        return;
    for (const CString& text : m_readDefaults()) {
        CRelationSearch item;
        if (!item.LoadString(text))
            continue;
        const auto same = std::find_if(m_vecItem.begin(), m_vecItem.end(), [&](const auto& held) {
            return held.byMarket == item.byMarket && held.strSymbol == item.strSymbol;
        });
        if (same != m_vecItem.end())
            *same = item;
        else
            m_vecItem.push_back(item);
    }
    vRebuildRows();
}

void CRelationSearchDlg::OnOK() {
    if (!UpdateData(true))
        return;
    CSearch condition;
    m_keywords.vReadCondition(condition, m_vecHistory);
    m_vecHistory.erase(std::remove_if(m_vecHistory.begin(), m_vecHistory.end(),
                                      [](const CString& entry) { return entry.IsEmpty(); }),
                       m_vecHistory.end());
    EndDialog(IDOK);
}

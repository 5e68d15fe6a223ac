// SKQNewsCtrlView: the symbol sheet's symbol, chosen in the combo or by a
// linked view. The combo lists the symbols of the stock market as
// "ID  NAME"; m_vecSymbolInfo holds the same symbols in the same order and
// m_mapSymbolUpdate each one's item, so every change to the combo is made
// to all three at once.
#include "HostApi.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"
#include "SymbolApi.h"

namespace {

// The market whose symbols the combo lists.
constexpr BYTE kSymbolMarket = 16;
// What GetCurrSymbolInfo answers while no symbol is chosen.
constexpr const char* kNoSymbolChosen = "#001";

// Ids beginning with "#" are the market's placeholders, not symbols a
// person picks.
bool isPlaceholder(const CString& id) {
    return !id.IsEmpty() && id[0] == '#';
}

// The item text of a symbol, "ID  NAME"; false when the back-end cannot
// name it.
bool fetchItemText(const CString& id, CString& text) {
    std::vector<X1Format> values;
    if (!BK_bGetItemDataByItemNo(kSymbolMarket, id, {kItemSymbolName}, values, true, nullptr,
                                 nullptr) ||
        values.empty())
        return false;
    text.Format("%s  %s", id.c_str(), static_cast<CString>(values[0]).c_str());
    return true;
}

}  // namespace

bool SKQNewsCtrlView::bInitialSymbolInfoVec(unsigned char byMarket) {
    std::vector<CString> ids;
    if (!BK_bGetSymbolID(ids, byMarket, "", "", nullptr))
        return false;
    m_vecSymbolInfo.clear();
    for (const CString& id : ids) {
        if (!isPlaceholder(id))
            m_vecSymbolInfo.emplace_back(byMarket, id);
    }
    return true;
}

bool SKQNewsCtrlView::bInitialSymbolInfo(SKQCfgIO2* cfg, const CString& name, int key1, int key2) {
    vReadStoredChoice(cfg, name, key1, key2, "SymbolID", m_storedSymbol);
    if (!m_cbSymbol.IsWindow() || !bInitialSymbolInfoVec(kSymbolMarket))
        return false;
    m_bSymbolComboFilled = true;
    m_cbSymbol.ResetContent();
    m_mapSymbolUpdate.clear();
    bool found = false;
    for (std::size_t k = 0; k < m_vecSymbolInfo.size(); ++k) {
        const CString& id = m_vecSymbolInfo[k].m_strSymbol;
        // A symbol the back-end cannot name still gets its own item: its id.
        CString text;
        if (!fetchItemText(id, text))
            text = id;
        m_cbSymbol.AddString(text.c_str());
        m_mapSymbolUpdate[id] = static_cast<int>(k);
        if (!found && id == m_strSymbol) {
            m_cbSymbol.SetCurSel(static_cast<int>(k));
            found = true;
        }
    }
    if (!m_strSymbol.IsEmpty() && !found) {
        vShowSymbolNotSupported();
        return true;
    }
    bApplyStoredSymbol();
    return true;
}

void SKQNewsCtrlView::vShowSymbolNotSupported() {
    // The base view draws its notice where the sheet and its controls were.
    m_bNotSupportSymbol = true;
    if (m_apSheet[kModeSymbol])
        m_apSheet[kModeSymbol]->ShowWindow(SW_HIDE);
    if (m_btnSelectService.IsWindow())
        m_btnSelectService.ShowWindow(SW_HIDE);
    if (m_cbSymbol.IsWindow())
        m_cbSymbol.ShowWindow(SW_HIDE);
    Invalidate(true);
}

void SKQNewsCtrlView::OnSelchangeComboSymbol() {
    if (!m_apSheet[kModeSymbol] || !m_cbSymbol.IsWindow())
        return;
    const int selected = m_cbSymbol.GetCurSel();
    if (selected < 0 || static_cast<std::size_t>(selected) >= m_vecSymbolInfo.size())
        return;
    const CString id = m_vecSymbolInfo[static_cast<std::size_t>(selected)].m_strSymbol;
    if (id == m_strSymbol)
        return;
    m_strSymbol = id;
    GetSymbolNews(id);
}

void SKQNewsCtrlView::OnSelSymbol(const CString& strSymbol) {
    if (m_apSheet[kModeSymbol])
        GetSymbolNews(strSymbol);
}

void SKQNewsCtrlView::GetSymbolNews(const CString& strSymbol) {
    CGridoraWnd* sheet = m_apSheet[kModeSymbol];
    if (!sheet)
        return;
    HeadlineList& list = m_avecHeadline[kModeSymbol];
    sheet->vDeleteAllRows();
    sheet->vResetScrollPosInfo();
    sheet->vResetScrollBar();
    sheet->Invalidate(true);
    list.vClear();
    m_strSymbolSheetSymbol = strSymbol;
    // The symbol sheet's own service choice, whatever sheet is on screen.
    const std::vector<BYTE> noChecks;
    const std::vector<BYTE>& checks =
        m_vecSheetServiceCheck.size() > static_cast<std::size_t>(kModeSymbol)
            ? m_vecSheetServiceCheck[kModeSymbol]
            : noChecks;
    std::vector<CHeadlineTable> part;
    for (std::size_t i = 0; i < m_vecNewsService.size() && i < checks.size(); ++i) {
        if (!checks[i])
            continue;
        bool known = false;
        NEWS_iGetHeadlineTable(m_vecNewsService[i].byService, part, 2, strSymbol, known);
        list.vAppend(part);
    }
    if (list.bIsEmpty()) {
        m_strRecoverKey.Empty();
        return;
    }
    list.vStableSort();
    vFillHeadlineTable(sheet, list, true);
    vFillHeadline(kModeSymbol, sheet, list, true);
}

bool SKQNewsCtrlView::bIsSymbolSheetSymbol(const CString& id) const {
    return !m_strSymbolSheetSymbol.IsEmpty() && id == m_strSymbolSheetSymbol;
}

void SKQNewsCtrlView::ChangeSymbol(const CView* pSender, unsigned char byLink,
                                   unsigned char byMarket, const CString& strSymbol,
                                   const CString& /*extra*/) {
    if (!bAcceptLinkedChange(pSender, byLink))
        return;
    if (strSymbol == m_strSymbol)
        return;
    m_strSymbol = strSymbol;
    vDoNormalChangeSymbol(byMarket, strSymbol);
    const CSearch& condition = m_iFunctionID == kModeRelationSearch  ? m_search[2]
                               : m_iFunctionID == kModeWarningSearch ? m_search[3]
                                                                     : m_search[0];
    vDoSearchChangeSymbol(condition, byMarket, strSymbol);
    if (!(m_dwModeMask & (1U << kModeSymbol)))
        return;
    if (!bIsNormalTWSESymbolID(byMarket, strSymbol)) {
        vShowSymbolNotSupported();
        return;
    }
    m_bNotSupportSymbol = false;
    if (m_iFunctionID == kModeSymbol)
        ShowHideCtrObject(kModeSymbol);  // the sheet and its controls, shown again
    else if (m_apSheet[kModeSymbol])
        m_apSheet[kModeSymbol]->ShowWindow(SW_HIDE);
    Invalidate(true);
    OnSelSymbol(strSymbol);
}

void SKQNewsCtrlView::vDoNormalChangeSymbol(unsigned char byMarket, const CString& strSymbol) {
    if (byMarket != kSymbolMarket)
        return;
    m_strSymbolNewsSymbol = strSymbol;
    vOnChangeSymbolCombobox();
    const int selected = m_cbSymbol.IsWindow() ? m_cbSymbol.GetCurSel() : -1;
    if (selected < 0 || m_iFunctionID != kModeSymbol ||
        static_cast<std::size_t>(selected) >= m_vecSymbolInfo.size() ||
        strSymbol == m_vecSymbolInfo[static_cast<std::size_t>(selected)].m_strSymbol)
        return;
    for (std::size_t k = 0; k < m_vecSymbolInfo.size(); ++k) {
        if (m_vecSymbolInfo[k].m_strSymbol == m_strSymbolNewsSymbol) {
            m_cbSymbol.SetCurSel(static_cast<int>(k));
            OnSelchangeComboSymbol();
            return;
        }
    }
}

void SKQNewsCtrlView::vOnChangeSymbolCombobox() {
    if (m_iFunctionID != kModeSymbol || m_strSymbolNewsSymbol.IsEmpty())
        return;
    const auto it = m_mapSymbolUpdate.find(m_strSymbolNewsSymbol);
    if (it == m_mapSymbolUpdate.end())
        return;
    m_cbSymbol.SetCurSel(it->second);
    GetSymbolNews(m_strSymbolNewsSymbol);
}

void SKQNewsCtrlView::GetCurrSymbolInfo(unsigned char& byMarket, CString& strSymbol) {
    if (m_vecSymbolInfo.empty())
        return;
    const int selected = m_cbSymbol.IsWindow() ? m_cbSymbol.GetCurSel() : -1;
    if (selected >= 0 && static_cast<std::size_t>(selected) < m_vecSymbolInfo.size()) {
        const CSymbolInfo& info = m_vecSymbolInfo[static_cast<std::size_t>(selected)];
        byMarket = info.m_byMarket;
        strSymbol = info.GetSymbolID();
        return;
    }
    byMarket = kSymbolMarket;
    strSymbol = kNoSymbolChosen;
}

bool SKQNewsCtrlView::bRemoveSymbolItem(const CString& id) {
    const auto it = m_mapSymbolUpdate.find(id);
    if (it == m_mapSymbolUpdate.end())
        return false;
    const int index = it->second;
    m_cbSymbol.DeleteString(static_cast<UINT>(index));
    if (static_cast<std::size_t>(index) < m_vecSymbolInfo.size())
        m_vecSymbolInfo.erase(m_vecSymbolInfo.begin() + index);
    m_mapSymbolUpdate.erase(it);
    for (auto& [other, item] : m_mapSymbolUpdate) {
        if (item > index)
            --item;
    }
    return true;
}

bool SKQNewsCtrlView::bAppendSymbolItem(const CString& id) {
    // Named first: a symbol the back-end cannot name keeps its item.
    CString text;
    if (!fetchItemText(id, text))
        return false;
    bRemoveSymbolItem(id);  // listed already: it moves, never doubles
    m_mapSymbolUpdate[id] = m_cbSymbol.GetCount();
    m_cbSymbol.AddString(text.c_str());
    m_vecSymbolInfo.emplace_back(kSymbolMarket, id);
    return true;
}

void SKQNewsCtrlView::vDoSymbolUpdate(const std::vector<CSymbolUpdateInfo>& updates) {
    // Before the first fill there is nothing to change: the fill reads the
    // back-end's list as it is then.
    if (!m_bSymbolComboFilled || !m_cbSymbol.IsWindow())
        return;
    // A changed symbol moves; the person's choice goes with it.
    const int selected = m_cbSymbol.GetCurSel();
    const CString chosen =
        selected >= 0 && static_cast<std::size_t>(selected) < m_vecSymbolInfo.size()
            ? m_vecSymbolInfo[static_cast<std::size_t>(selected)].m_strSymbol
            : CString();
    for (const CSymbolUpdateInfo& update : updates) {
        const CString& id = update.symbolInfo.m_strSymbol;
        if (update.symbolInfo.m_byMarket != kSymbolMarket || isPlaceholder(id))
            continue;
        bool applied = false;
        if (update.cAction == 'D')
            applied = bRemoveSymbolItem(id);
        else if (update.cAction == 'I' || m_mapSymbolUpdate.count(id) != 0)
            applied = bAppendSymbolItem(id);
        if (!applied)
            break;  // an unlisted or unnamed symbol ends the batch
    }
    if (!chosen.IsEmpty() && m_cbSymbol.GetCurSel() < 0) {
        const auto it = m_mapSymbolUpdate.find(chosen);
        if (it != m_mapSymbolUpdate.end())
            m_cbSymbol.SetCurSel(it->second);
    }
}

#pragma once
// The relation search dialog (template 2010): keeps, per symbol, a keyword
// condition that the relation sheet searches when a linked view changes
// symbol. The symbol is picked by market, group type and group (or found by
// a query), then confirmed; the condition is composed with the keyword part
// and added to the list, replacing the one of the same symbol. It works on
// copies; the view takes them back after the dialog closes.
#include <functional>
#include <vector>

#include "KeywordPart.h"
#include "ui/controls/CComboBox.h"
#include "ui/controls/CListCtrl.h"

class CRelationSearchDlg : public CDialog {
  public:
    static constexpr UINT IDD = 2010;
    static constexpr UINT IDC_SYMBOL_GROUP = 2035;
    static constexpr UINT IDC_MARKET_LABEL = 1549;
    static constexpr UINT IDC_MARKET = 1356;
    static constexpr UINT IDC_TYPE_LABEL = 1550;
    static constexpr UINT IDC_TYPE = 1367;
    static constexpr UINT IDC_GROUPS = 1357;
    static constexpr UINT IDC_QUERY_LABEL = 1551;
    static constexpr UINT IDC_QUERY = 1364;
    static constexpr UINT IDC_SYMBOLS = 1358;
    static constexpr UINT IDC_CONFIRM = 2040;
    static constexpr UINT IDC_SYMBOL_LABEL = 2042;
    static constexpr UINT IDC_SYMBOL_TEXT = 2041;
    static constexpr UINT IDC_GROUP_LEFT = 2027;
    static constexpr UINT IDC_GROUP_RIGHT = 2028;
    static constexpr UINT IDC_ADD_ITEM = 2039;
    static constexpr UINT IDC_REMOVE_ITEM = 2032;
    static constexpr UINT IDC_ITEMS = 2029;
    static constexpr UINT IDC_DEFAULT = 2037;

    // Group types of the type combo.
    enum GroupType { kCategorization = 0, kCommodity = 1, kExchange = 2 };

    // `readDefaults` gives the System store's default items as strings.
    CRelationSearchDlg(std::vector<CString>* history, std::vector<CRelationSearch>* items,
                       CWnd* parent, std::function<std::vector<CString>()> readDefaults = {});

    // The template, registered with the dialogs on first use.
    static DialogTemplate Template();

    bool OnInitDialog() override;
    void OnOK() override;

    // The handlers, public for the automation and the tests.
    void OnMarketChanged();
    void OnTypeChanged();
    void OnGroupChanged();
    void OnQueryChanged();
    void OnConfirmSymbol();
    void OnAddItem();
    void OnItemSelected();
    void OnRemoveItem();
    void OnSystemDefault();

    std::vector<CString> m_vecHistory;
    CRelationSearch m_itemCurrent;
    std::vector<CRelationSearch> m_vecItem;
    std::vector<BYTE> m_vecQuoteService;
    BYTE m_byMarket = 0;
    short m_iGroupType = 0;
    std::vector<CString> m_vecCandidate;
    BYTE m_bySymbolMarket = 0;
    CString m_strSymbolKey;
    CString m_strSymbolText;

    CComboBox m_cbMarket;
    CComboBox m_cbType;
    CListBox m_lbGroup;
    CListBox m_lbSymbol;
    CListCtrl m_lcItem;
    CKeywordPart m_keywords{*this};

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void vLoadLanguageString();
    void vFillGroups();
    void vShowLines(const std::vector<CString>& lines);
    void vRebuildRows();
    bool bRowTexts(const CRelationSearch& item, CString& market, CString& symbol) const;
    void vSelectRow(int row);
    int iItemOfRow(int row) const;
    void vWarn(const char* textKey);

    std::function<std::vector<CString>()> m_readDefaults;
    std::vector<int> m_vecGroupType;                    // group type of each type combo entry
    std::vector<std::vector<CString>> m_vecGroupLines;  // symbol lines of each group
    std::vector<int> m_vecRowItem;                      // item index of each row
};

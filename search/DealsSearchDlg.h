#pragma once
// The advanced keyword search dialog (template 2007): composes a condition of
// several keywords with its method and scope, keeps the list of stored
// conditions and the keyword history. It works on copies; the view takes
// them back after the dialog closes.
#include <vector>

#include "KeywordPart.h"
#include "ui/controls/CListCtrl.h"

class CDealsSearchDlg : public CDialog {
  public:
    static constexpr UINT IDD = 2007;
    static constexpr UINT IDC_GROUP_LEFT = 2027;
    static constexpr UINT IDC_GROUP_RIGHT = 2028;
    static constexpr UINT IDC_ITEMS = 2029;
    static constexpr UINT IDC_REMOVE_ITEM = 2032;

    CDealsSearchDlg(CWnd* parent, const CSearch* condition, const std::vector<CString>* history,
                    const std::vector<CSearch>* items);

    // The template, registered with the dialogs on first use.
    static DialogTemplate Template();

    bool OnInitDialog() override;
    void OnOK() override;

    CSearch m_condition;
    std::vector<CString> m_vecHistory;
    std::vector<CSearch> m_vecItem;
    CListCtrl m_lcItem;
    CKeywordPart m_keywords{*this};

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void vLoadLanguageString();
    void vInsertItemRow(int index);
    int iFirstSelectedItem() const;
    void OnItemSelected(int item);
    void OnItemDoubleClick();
    void OnRemoveItem();
};

#pragma once
// The warning condition list (template 2011): the numbered warning
// conditions, Add / Modify / Delete through the condition editor, and OK
// starting the selected one. The dialog works on copies; the view takes them
// back after the run.
#include <vector>

#include "CString.h"
#include "SearchConditions.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/CListCtrl.h"

class CWarningSearchDlg : public CDialog {
  public:
    enum { IDD = 2011 };
    enum : UINT {
        IDC_ADD = 3,
        IDC_MODIFY = 4,
        IDC_ITEMS = 2047,
        IDC_DELETE = 2051,
        IDC_DESCRIBE = 2056,
    };

    CWarningSearchDlg(const std::vector<CString>* history, const std::vector<CSearch>* items,
                      CWnd* parent);

    CListCtrl m_lcItem;
    std::vector<CString> m_vecHistory;
    CSearch m_condition;  // the condition last added, modified or started
    std::vector<CSearch> m_vecItem;
    int m_iChosen = 0;  // 1-based number of the started condition

    int DoModal();
    bool OnInitDialog() override;
    void OnAdd();
    void OnModify();
    void OnDelete();
    void OnOK() override;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void bindMessages();
    // Appends a row numbered after the rows there are now.
    void vAppendRow(const CSearch& condition);
    // Runs the editor on a copy of `condition`; true when OK changed it and
    // left keywords in it.
    bool bEdit(CSearch& condition);
};

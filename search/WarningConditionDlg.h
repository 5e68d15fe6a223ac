#pragma once
// The warning condition editor (template 2012): the keywords of one warning
// condition, how they combine (AND / OR) and where they are looked for. The
// keyword box takes several keywords separated by spaces, commas or line
// feeds; it refuses no keyword.
#include <vector>

#include "CString.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/CEdit.h"

class CWarningConditionDlg : public CDialog {
  public:
    enum { IDD = 2012 };
    enum : UINT {
        IDC_KEYWORD = 2043,
        IDC_SCOPE_GROUP = 2049,
        IDC_METHOD_GROUP = 2050,
        IDC_SEPARATOR = 2051,
        IDC_KEYWORD_LABEL = 2048,
        IDC_DESCRIBE_GROUP = 2054,
        IDC_DESCRIBE1 = 2055,
        IDC_DESCRIBE2 = 2056,
        IDC_AND = 2057,
        IDC_HEADLINE = 2058,
        IDC_OR = 2059,
        IDC_STORY = 2060,
        IDC_HEADLINE_AND_STORY = 2061,
    };

    // The method (1 AND, 2 OR) and scope (0 headline, 1 story, 2 both) are
    // the caller's, changed only by OK with keywords typed.
    CWarningConditionDlg(const std::vector<CString>& keywords, int& method, int& scope,
                         CWnd* parent);

    // The keywords of a typed text: split at every space, comma and line
    // feed, empty pieces dropped, in order.
    static std::vector<CString> SplitKeywords(const CString& text);

    std::vector<CString> m_vecKeyword;
    int& m_iScope;
    int& m_iMethod;

    int DoModal();
    bool OnInitDialog() override;
    void OnOK() override;

  protected:
    void DoDataExchange(CDataExchange* pDX) override;

  private:
    void bindMessages();
    // Checks `id` and clears the other radios of its group.
    void vSelectRadio(UINT id, const std::vector<UINT>& group);
    // Position of the first checked radio of the group, -1 when none is.
    int iCheckedPosition(const std::vector<UINT>& group);

    CEdit m_editKeyword;
};

#pragma once
// The keyword part of the search dialogs: the keyword being typed (3008)
// with its refusals, the keyword history (2007) and the keywords of the
// condition being composed (2011), the buttons between them, and the scope
// (2014..2016) and method (2017, 2009) radios. A dialog holding the part adds
// its controls to its template, binds them in its data exchange and passes
// the part's commands to it.
#include <vector>

#include "NewsRecords.h"
#include "SearchConditions.h"
#include "ui/MessageMap.h"
#include "ui/controls/CDialog.h"
#include "ui/controls/CListBox.h"
#include "ui/controls/DialogUnits.h"

class CKeywordPart {
  public:
    static constexpr UINT IDC_INPUT = 3008;
    static constexpr UINT IDC_ENTER = 3007;
    static constexpr UINT IDC_REMOVE_KEYWORD = 2018;
    static constexpr UINT IDC_HISTORY = 2007;
    static constexpr UINT IDC_ADD = 2012;
    static constexpr UINT IDC_MOVE_BACK = 2013;
    static constexpr UINT IDC_CONDITION = 2011;
    static constexpr UINT IDC_HEADLINE = 2014;  // scope radios: 0, 1, 2
    static constexpr UINT IDC_STORY = 2015;
    static constexpr UINT IDC_BOTH = 2016;
    static constexpr UINT IDC_AND = 2017;  // method radios: 0 AND, 1 OR
    static constexpr UINT IDC_OR = 2009;

    explicit CKeywordPart(CDialog& dialog) : m_dialog(dialog) {}

    // The part's template entries. `left` is the origin of the history side,
    // `right` that of the condition side, both in pixels.
    static void vAddControls(DialogTemplate& t, CPoint left, CPoint right,
                             const DialogUnits& units);
    void DoDataExchange(CDataExchange* pDX);
    void vBindMessages(MessageMap& map);
    void vLoadLanguageString();

    // Drops empty entries and entries with a space from `history`, then
    // lists the rest.
    void vFillHistory(std::vector<CString>& history);
    // Shows a condition's method, scope and keywords.
    void vShowCondition(const CSearch& condition);
    // The composed condition's keywords, method and scope, and the history,
    // from the controls (UpdateData(true) first).
    void vReadCondition(CSearch& condition, std::vector<CString>& history) const;

    // The handlers, public for the dialogs that hold the part.
    void OnEnterKeyword();
    void OnRemoveKeyword();
    void OnAddToCondition();
    void OnMoveBack();
    void OnUpdateInput();

    CListBox m_lbCondition;
    CListBox m_lbKeyword;
    CString m_strInput;
    int m_iMethod = 0;
    int m_iScope = 0;

  private:
    void vWarn(const char* textKey);
    static std::vector<CString> itemsOf(const CListBox& list);
    static bool holds(const CListBox& list, const CString& text);

    CDialog& m_dialog;
};

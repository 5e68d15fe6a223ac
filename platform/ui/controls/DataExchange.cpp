#include "DataExchange.h"

#include <string>

#include "CButton.h"
#include "CComboBox.h"
#include "CDateTimeCtrl.h"
#include "CDialog.h"
#include "CListBox.h"
#include "ReportOnce.h"

namespace {
// The control of `id` as a T, or null (reported) when the exchange has
// nothing to move: the binding pass, or no such control.
template <typename T>
T* exchanged(CDataExchange* pDX, int id) {
    if (!pDX || pDX->m_mode == CDataExchange::Mode::Bind)
        return nullptr;
    CWnd* window = pDX->m_pDlgWnd->GetDlgItem(id);
    auto* control = dynamic_cast<T*>(window);
    if (!control) {
        ReportOnce(
            "window " + std::to_string(pDX->m_pDlgWnd->GetDlgCtrlID()) + ": control " +
            std::to_string(id) +
            (window ? " is not the kind of control its data exchange needs" : " does not exist"));
    }
    return control;
}
}  // namespace

void DDX_Radio(CDataExchange* pDX, int id, int& value) {
    auto* first = exchanged<CButton>(pDX, id);
    if (!first)
        return;
    const std::vector<CButton*> radios = RadioButtonsFrom(*first);
    if (pDX->m_bSaveAndValidate) {
        value = -1;
        for (std::size_t i = 0; i < radios.size(); ++i) {
            if (radios[i]->GetCheck() == BST_CHECKED) {
                value = static_cast<int>(i);
                break;
            }
        }
        return;
    }
    for (std::size_t i = 0; i < radios.size(); ++i) {
        radios[i]->SetCheck(static_cast<int>(i) == value ? BST_CHECKED : BST_UNCHECKED);
    }
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    auto* button = exchanged<CButton>(pDX, id);
    if (!button)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = button->GetCheck();
    } else {
        button->SetCheck(value);
    }
}

void DDX_CBIndex(CDataExchange* pDX, int id, int& index) {
    auto* combo = exchanged<CComboBox>(pDX, id);
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate) {
        index = combo->GetCurSel();
    } else {
        combo->SetCurSel(index);
    }
}

namespace {
void exchangeComboText(CDataExchange* pDX, int id, CString& value, bool exact) {
    auto* combo = exchanged<CComboBox>(pDX, id);
    if (!combo)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = combo->GetWindowText();
        return;
    }
    // An empty text chooses nothing (every item begins with it).
    if (value.IsEmpty()) {
        if (combo->HasEdit()) {
            combo->SetWindowText("");
        } else {
            combo->SetCurSel(-1);
        }
        return;
    }
    const int found =
        exact ? combo->FindStringExact(-1, value.c_str()) : combo->FindString(-1, value.c_str());
    if (found != CB_ERR) {
        combo->SetCurSel(found);
    } else if (combo->HasEdit()) {
        combo->SetWindowText(value);
    }
}
}  // namespace

void DDX_CBString(CDataExchange* pDX, int id, CString& value) {
    exchangeComboText(pDX, id, value, false);
}

void DDX_CBStringExact(CDataExchange* pDX, int id, CString& value) {
    exchangeComboText(pDX, id, value, true);
}

void DDX_LBIndex(CDataExchange* pDX, int id, int& index) {
    auto* list = exchanged<CListBox>(pDX, id);
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate) {
        index = list->GetCurSel();
    } else {
        list->SetCurSel(index);
    }
}

void DDX_LBString(CDataExchange* pDX, int id, CString& value) {
    auto* list = exchanged<CListBox>(pDX, id);
    if (!list)
        return;
    if (pDX->m_bSaveAndValidate) {
        const int selected = list->GetCurSel();
        value = selected == LB_ERR ? CString() : list->GetText(selected);
    } else {
        list->SetCurSel(value.IsEmpty() ? -1 : list->FindString(-1, value.c_str()));
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, COleDateTime& value) {
    auto* picker = exchanged<CDateTimeCtrl>(pDX, id);
    if (!picker)
        return;
    if (pDX->m_bSaveAndValidate) {
        picker->GetTime(value);
    } else if (!picker->SetTime(value)) {
        pDX->Fail();
    }
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int id, CTime& value) {
    auto* picker = exchanged<CDateTimeCtrl>(pDX, id);
    if (!picker)
        return;
    if (pDX->m_bSaveAndValidate) {
        if (picker->GetTime(value) != GDT_VALID)
            pDX->Fail();
    } else if (!picker->SetTime(value)) {
        pDX->Fail();
    }
}

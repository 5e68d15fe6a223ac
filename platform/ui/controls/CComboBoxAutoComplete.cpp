#include "CComboBoxAutoComplete.h"

void CComboBoxAutoComplete::OnEditTextChanged(bool typed) {
    if (!m_bAutoComplete || !typed)
        return;
    const CString typedText = GetWindowText();
    const int typedLength = Edit().Length();
    if (typedText.IsEmpty() || Edit().Caret() != typedLength)
        return;  // only when typing at the end
    const int found = FindString(-1, typedText.c_str());
    if (found == CB_ERR)
        return;
    SetCurSel(found);
    SetEditSel(typedLength, -1);
}

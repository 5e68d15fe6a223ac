#include "CComboBoxAutoComplete.h"

#include "TextMatch.h"

namespace {

// Characters of UTF-8 `text` before byte `end`.
int charactersBefore(std::string_view text, std::size_t end) {
    int count = 0;
    for (std::size_t i = 0; i < end && i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

}  // namespace

void CComboBoxAutoComplete::OnEditTextChanged(bool typed) {
    if (!m_bAutoComplete || !typed)
        return;
    const CString typedText = GetWindowText();
    const int typedLength = Edit().Length();
    if (typedText.IsEmpty() || Edit().Caret() != typedLength)
        return;  // only when typing at the end
    const int found = FindString(-1, typedText.c_str());
    if (found != CB_ERR) {
        SetCurSel(found);
        SetEditSel(typedLength, -1);
        return;
    }
    // No item begins with it: the first item holding it elsewhere (a name
    // after the id), shown whole with the rest after the typed text selected.
    for (int i = 0; i < GetCount(); ++i) {
        const std::string_view text = Items().At(i).text.str();
        const int at = textmatch::FindBytes(text, typedText.str(), 0, false);
        if (at < 0)
            continue;
        SetCurSel(i);
        SetEditSel(charactersBefore(text, static_cast<std::size_t>(at) + typedText.str().size()),
                   -1);
        return;
    }
}

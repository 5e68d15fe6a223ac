#pragma once
// CComboBoxAutoComplete: a combo box with an edit field that completes what
// a person types. With auto-complete switched on (off after creation), each
// character typed makes the field show the first item that begins with the
// typed text (without regard to ASCII case) and selects that item; the
// completed tail stays selected in the field, so the next character typed
// replaces it. When no item begins with the typed text, the first item that
// holds it further on (a symbol's name after its id) is shown and selected,
// the part after the typed text selected in the field. Deleting never
// completes. Completion sends no CBN_SELCHANGE: the selection it makes is the
// code's, as SetCurSel's is.
#include "CComboBox.h"

class CComboBoxAutoComplete : public CComboBox {
  public:
    void SetAutoComplete(bool on) { m_bAutoComplete = on; }
    bool GetAutoComplete() const { return m_bAutoComplete; }

  protected:
    void OnEditTextChanged(bool typed) override;

  private:
    bool m_bAutoComplete = false;
};

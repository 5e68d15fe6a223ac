#pragma once
// CButton: push button, default push button, check box, radio button or
// group box, by its BS_ style. A check box or radio button keeps its check
// state; a person's click (Click) changes it as the style says and sends
// BN_CLICKED to the parent. An automatic radio button clicked unchecks the
// other radio buttons of its group: the siblings from the nearest WS_GROUP
// control at or before it up to the next WS_GROUP control.
#include <vector>

#include "ControlMessages.h"
#include "ui/CWnd.h"

class CButton : public CWnd {
  public:
    WindowKind GetKind() const override { return WindowKind::Button; }

    // Create(caption, style, rect, parent, id) as any window.
    using CWnd::Create;

    UINT GetButtonStyle() const { return GetStyle() & BS_TYPEMASK; }
    bool IsPushButton() const;
    bool IsDefaultButton() const { return GetButtonStyle() == BS_DEFPUSHBUTTON; }
    bool IsCheckBox() const;
    bool IsRadioButton() const;
    bool IsGroupBox() const { return GetButtonStyle() == BS_GROUPBOX; }

    // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE. Setting the state from
    // code sends nothing and leaves the rest of a radio group alone; push
    // buttons and group boxes have no state.
    int GetCheck() const { return m_check; }
    void SetCheck(int check);

    // A person clicks the button: false (nothing happens) when the person
    // cannot reach it or it is a group box.
    bool Click();

    // The radio buttons of the group this button belongs to, in order.
    std::vector<CButton*> GetGroupRadioButtons();

  protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    int m_check = BST_UNCHECKED;
};

// The radio buttons of the group that starts at `first` (which should carry
// WS_GROUP): `first` and its following siblings up to the next WS_GROUP
// control. Controls of other kinds in between are skipped.
std::vector<CButton*> RadioButtonsFrom(const CWnd& first);

// The control objects a dialog makes for template entries that no member
// takes.
#include "CButton.h"
#include "CComboBox.h"
#include "CDateTimeCtrl.h"
#include "CDialog.h"
#include "CEdit.h"
#include "CListBox.h"
#include "CListCtrl.h"
#include "CStatic.h"
#include "MyRichEdit.h"

std::unique_ptr<CWnd> MakeDialogControl(const DialogControl& control) {
    switch (control.type) {
        case ControlType::PushButton:
        case ControlType::DefPushButton:
        case ControlType::RadioButton:
        case ControlType::CheckBox:
        case ControlType::GroupBox:
            return std::make_unique<CButton>();
        case ControlType::Static:
            return std::make_unique<CStatic>();
        case ControlType::Edit:
            return std::make_unique<CEdit>();
        case ControlType::ComboBox:
            return std::make_unique<CComboBox>();
        case ControlType::ListBox:
            return std::make_unique<CListBox>();
        case ControlType::ListView:
            return std::make_unique<CListCtrl>();
        case ControlType::DateTime:
            return std::make_unique<CDateTimeCtrl>();
        case ControlType::RichEdit:
            return std::make_unique<MyRichEdit>();
    }
    // A type added to the enumeration but not here still gets a window.
    return std::make_unique<CWnd>();
}

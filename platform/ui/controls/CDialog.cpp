#include "CDialog.h"

#include <cstdlib>
#include <mutex>

#include "CButton.h"
#include "ControlMessages.h"
#include "ControlSupport.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"

namespace {
std::mutex g_templatesMutex;
std::map<UINT, DialogTemplate>& templates() {
    static std::map<UINT, DialogTemplate> all;
    return all;
}

// The style bits a control type stands for, added to the entry's own.
DWORD typeStyle(const DialogControl& entry) {
    switch (entry.type) {
        case ControlType::DefPushButton:
            return BS_DEFPUSHBUTTON;
        case ControlType::RadioButton:
            return BS_AUTORADIOBUTTON;
        case ControlType::CheckBox:
            return BS_AUTOCHECKBOX;
        case ControlType::GroupBox:
            return BS_GROUPBOX;
        case ControlType::ComboBox:
            // A combo box whose entry names no kind is a drop-down list.
            return (entry.style & CBS_TYPEMASK) == 0 ? CBS_DROPDOWNLIST : 0;
        case ControlType::ListView:
            return LVS_REPORT;
        default:
            return 0;
    }
}
}  // namespace

void DialogTemplates::Register(const DialogTemplate& dialogTemplate) {
    std::lock_guard lock(g_templatesMutex);
    templates()[dialogTemplate.id] = dialogTemplate;
}

const DialogTemplate* DialogTemplates::Find(UINT id) {
    std::lock_guard lock(g_templatesMutex);
    const auto it = templates().find(id);
    return it == templates().end() ? nullptr : &it->second;
}

CDataExchange::CDataExchange(CDialog& dialog, Mode mode)
    : m_pDlgWnd(&dialog),
      m_pDialog(&dialog),
      m_mode(mode),
      m_bSaveAndValidate(mode == Mode::Save) {}

CDataExchange::CDataExchange(CWnd& window, Mode mode)
    : m_pDlgWnd(&window),
      m_pDialog(dynamic_cast<CDialog*>(&window)),
      m_mode(mode),
      m_bSaveAndValidate(mode == Mode::Save) {}

CDialog::~CDialog() {
    // Controls the dialog made go before the dialog's own window.
    DestroyWindow();
    m_owned.clear();
}

bool CDialog::Create(UINT templateId, CWnd* parent) {
    const DialogTemplate* found = DialogTemplates::Find(templateId);
    if (!found)
        return false;
    return createFrom(*found, parent);
}

bool CDialog::Create(const DialogTemplate& dialogTemplate, CWnd* parent) {
    return createFrom(dialogTemplate, parent);
}

bool CreateDialogControl(CWnd& control, const DialogControl& entry, CWnd& parent) {
    const DWORD style = WS_CHILD | entry.style | typeStyle(entry);
    return control.CreateEx(0, entry.text.c_str(), style, entry.rect, &parent, entry.id);
}

bool CDialog::createFrom(const DialogTemplate& dialogTemplate, CWnd* parent) {
    if (IsWindow())
        return false;
    m_template = dialogTemplate;
    m_ended = false;
    m_endCode = 0;
    m_bound.clear();
    m_owned.clear();
    // Dialogs are top-level windows owned by their parent; they are not its children.
    if (parent)
        m_pParentWnd = parent;
    const CRect rect(0, 0, dialogTemplate.size.cx, dialogTemplate.size.cy);
    if (!CWnd::CreateEx(0, dialogTemplate.caption.c_str(), WS_POPUP | WS_CAPTION, rect, nullptr,
                        dialogTemplate.id)) {
        return false;
    }
    CDataExchange bind(*this, CDataExchange::Mode::Bind);
    DoDataExchange(&bind);
    for (const DialogControl& entry : dialogTemplate.controls) {
        CWnd* control = nullptr;
        if (const auto it = m_bound.find(entry.id);
            it != m_bound.end() && !it->second->IsWindow()) {
            control = it->second;
        } else {
            m_owned.push_back(MakeDialogControl(entry));
            control = m_owned.back().get();
        }
        CreateDialogControl(*control, entry, *this);
    }
    SendMessage(WM_INITDIALOG);
    return true;
}

bool CDialog::OnInitDialog() {
    return UpdateData(false);
}

int CDialog::GetDefID() const {
    for (CWnd* child : GetChildren()) {
        if (auto* button = dynamic_cast<CButton*>(child); button && button->IsDefaultButton()) {
            return button->GetDlgCtrlID();
        }
    }
    return IDOK;
}

void CDialog::pressKey(UINT key) {
    if (key == VK_ESCAPE) {
        SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(IDCANCEL), BN_CLICKED), 0);
        return;
    }
    // Enter presses the default button, shown or not, unless it is disabled.
    const int id = GetDefID();
    CWnd* button = GetDlgItem(id);
    if (button && !button->IsWindowEnabled())
        return;
    SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                static_cast<LPARAM>(button ? button->GetSafeHwnd() : 0));
}

LRESULT CDialog::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG)
        return OnInitDialog() ? 1 : 0;
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
        pressKey(static_cast<UINT>(wParam));
        return 0;
    }
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
        if (LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
    }
    if (message == WM_CLOSE) {
        OnCancel();
        return 0;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

int CDialog::DoModal() {
    if (!IsWindow() && !Create(m_templateId, m_pParentWnd))
        return -1;
    m_modal = true;
    ShowWindow(SW_SHOW);
    const int answer = GetWindowSystem()->GetFrontEnd().Person().RunModal(*this);
    const int result = m_ended ? m_endCode : answer;
    m_modal = false;
    DestroyWindow();
    m_owned.clear();
    return result;
}

void CDialog::EndDialog(int result) {
    m_ended = true;
    m_endCode = result;
    if (IsWindow()) {
        ShowWindow(SW_HIDE);
        Changed(WindowChange::DialogEnded);
    }
}

bool CDialog::UpdateData(bool saveAndValidate) {
    CDataExchange dx(*this,
                     saveAndValidate ? CDataExchange::Mode::Save : CDataExchange::Mode::Load);
    DoDataExchange(&dx);
    return !dx.Failed();
}

void CDialog::OnOK() {
    if (!UpdateData(true))
        return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void DDX_Control(CDataExchange* pDX, int id, CWnd& control) {
    if (pDX && pDX->m_mode == CDataExchange::Mode::Bind)
        if (pDX->m_pDialog)
            pDX->m_pDialog->BindControl(static_cast<UINT>(id), control);
}

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    if (!pDX || pDX->m_mode == CDataExchange::Mode::Bind)
        return;
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!control)
        return;
    if (pDX->m_bSaveAndValidate) {
        value = control->GetWindowText();
    } else {
        control->SetWindowText(value);
    }
}

void DDX_Text(CDataExchange* pDX, int id, int& value) {
    if (!pDX || pDX->m_mode == CDataExchange::Mode::Bind)
        return;
    CWnd* control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!control)
        return;
    if (!pDX->m_bSaveAndValidate) {
        control->SetWindowText(CString::Formatted("%d", value));
        return;
    }
    const CString text = control->GetWindowText();
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (text.IsEmpty() || (end && *end != '\0')) {
        pDX->Fail();
        return;
    }
    value = static_cast<int>(parsed);
}

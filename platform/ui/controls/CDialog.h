#pragma once
// Dialogs built from a control table: a template names the caption, size and
// controls (type, id, text, style, rectangle). Member controls are bound to
// their ids by DDX_Control in DoDataExchange; the dialog makes and owns every
// control that no member takes. A modal run goes to the person through the
// front end and returns how the dialog ended.
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/CWnd.h"

enum class ControlType {
    PushButton,
    DefPushButton,
    RadioButton,
    CheckBox,
    GroupBox,
    Static,
    Edit,
    ComboBox,
    ListBox,
    ListView,
    DateTime,
    RichEdit,
};

struct DialogControl {
    ControlType type;
    UINT id;
    CString text;
    CRect rect;
    DWORD style = WS_VISIBLE | WS_TABSTOP;
};

struct DialogTemplate {
    UINT id = 0;
    CString caption;
    CSize size;
    std::vector<DialogControl> controls;
};

// Templates by resource id, registered by whoever defines them (the module at
// load, tests).
class DialogTemplates {
  public:
    static void Register(const DialogTemplate& dialogTemplate);
    static const DialogTemplate* Find(UINT id);
};

class CDialog;

class CDataExchange {
  public:
    enum class Mode { Bind, Load, Save };
    CDataExchange(CDialog& dialog, Mode mode);
    // An exchange with a window that is not a dialog (a view holding
    // controls it created itself): binding finds nothing to bind.
    CDataExchange(CWnd& window, Mode mode);

    CWnd* m_pDlgWnd;     // the window whose controls are exchanged
    CDialog* m_pDialog;  // the same window when it is a dialog, else null
    Mode m_mode;
    bool m_bSaveAndValidate;
    // Marks the exchange as failed (a bad value); UpdateData then returns false.
    void Fail() { m_failed = true; }
    bool Failed() const { return m_failed; }

  private:
    bool m_failed = false;
};

class CDialog : public CWnd {
  public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_pParentWnd(parent) {}
    ~CDialog() override;

    WindowKind GetKind() const override { return WindowKind::Dialog; }

    // Modeless: creates the dialog and its controls (hidden unless the caller
    // shows it). False when the template is unknown.
    bool Create(UINT templateId, CWnd* parent = nullptr);
    bool Create(const DialogTemplate& dialogTemplate, CWnd* parent = nullptr);
    // Modal: creates, runs with the person, destroys; IDOK, IDCANCEL, or the
    // code given to EndDialog. -1 when the dialog cannot be created.
    int DoModal();
    void EndDialog(int result);
    bool IsEnded() const { return m_ended; }
    int GetEndCode() const { return m_endCode; }
    bool IsModal() const { return m_modal; }
    // The window the dialog belongs to (it is not the dialog's parent window).
    CWnd* GetOwner() const { return m_pParentWnd; }

    // Moves data between members and controls (Save: controls to members).
    bool UpdateData(bool saveAndValidate = true);

    const DialogTemplate& GetTemplate() const { return m_template; }
    UINT GetTemplateId() const { return m_template.id; }

    // The id of the default push button (the first with BS_DEFPUSHBUTTON),
    // or IDOK. Enter (WM_KEYDOWN VK_RETURN) presses it unless it is
    // disabled; Escape presses IDCANCEL.
    int GetDefID() const;

    // Used by DDX_Control during the binding pass.
    void BindControl(UINT id, CWnd& member) { m_bound[id] = &member; }

    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

  protected:
    virtual void DoDataExchange(CDataExchange* /*pDX*/) {}
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool createFrom(const DialogTemplate& dialogTemplate, CWnd* parent);
    void pressKey(UINT key);

    UINT m_templateId = 0;
    CWnd* m_pParentWnd = nullptr;
    DialogTemplate m_template;
    std::map<UINT, CWnd*> m_bound;
    std::vector<std::unique_ptr<CWnd>> m_owned;
    bool m_modal = false;
    bool m_ended = false;
    int m_endCode = 0;
};

// Makes the control object for a template entry that no member takes: a
// CButton for every kind of button, CStatic, CEdit, CComboBox, CListBox,
// CListCtrl, CDateTimeCtrl or MyRichEdit.
std::unique_ptr<CWnd> MakeDialogControl(const DialogControl& control);
// Creates a control window (member or made) for a template entry. The type
// adds its style: BS_DEFPUSHBUTTON, BS_AUTORADIOBUTTON, BS_AUTOCHECKBOX,
// BS_GROUPBOX, CBS_DROPDOWNLIST for a combo box whose style names no kind,
// LVS_REPORT for a list view.
bool CreateDialogControl(CWnd& control, const DialogControl& entry, CWnd& parent);

// Data exchange helpers.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
// Text of any control: its window text.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);

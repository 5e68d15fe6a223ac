// SKQNewsStory: the dialog itself - template 8065, its texts, the story
// pane, the layout on resize and the buttons' messages.
#include "HostApi.h"
#include "SKQNewsStory.h"
#include "ui/controls/DialogUnits.h"

namespace {

// The template's 8-point font: 6 x 13 pixels a character.
constexpr DialogUnits kUnits(6, 13);

DialogTemplate storyTemplate() {
    DialogTemplate t;
    t.id = SKQNewsStory::IDD;
    t.caption = "新聞內文";
    t.size = CSize(kUnits.X(335), kUnits.Y(287));
    // Enter and Escape end the dialog through these two, which nobody sees.
    t.controls.push_back({ControlType::DefPushButton, IDOK, "OK", CRect(0, 0, 1, 1), 0});
    t.controls.push_back({ControlType::PushButton, IDCANCEL, "Cancel", CRect(0, 0, 1, 1), 0});
    t.controls.push_back({ControlType::Static, SKQNewsStory::IDC_HEADLINE, "",
                          kUnits.Rect(7, 7, 321, 42), WS_VISIBLE});
    // Right to left below the pane: previous, next, save, print.
    constexpr int kTop = 398, kWidth = 75, kHeight = 23, kGap = 9;
    const UINT order[] = {SKQNewsStory::IDC_PREV, SKQNewsStory::IDC_NEXT, SKQNewsStory::IDC_SAVEAS,
                          SKQNewsStory::IDC_PRINT};
    const char* texts[] = {"前一則", "後一則", "另存新聞", "列印新聞"};
    int right = 490;
    for (int i = 0; i < 4; ++i) {
        t.controls.push_back({ControlType::PushButton, order[i], texts[i],
                              CRect(right - kWidth, kTop, right, kTop + kHeight)});
        right -= kWidth + kGap;
    }
    return t;
}

}  // namespace

bool SKQNewsStory::Create(CWnd* /*pParent*/) {
    // The template is the module's own; registering it again changes nothing.
    DialogTemplates::Register(storyTemplate());
    return CDialog::Create(IDD, nullptr);
}

void SKQNewsStory::bindMessages() {
    MessageMap& map = GetMessageMap();
    map.OnControl(IDC_PREV, BN_CLICKED, [this] { OnBtnPageDown(); });
    map.OnControl(IDC_NEXT, BN_CLICKED, [this] { OnBtnPageUp(); });
    map.OnControl(IDC_PRINT, BN_CLICKED, [this] { OnBtnPrint(); });
    map.OnControl(IDC_SAVEAS, BN_CLICKED, [this] { OnBtnSaveas(); });
}

void SKQNewsStory::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, static_cast<int>(IDC_HEADLINE), m_strHeadline);
}

bool SKQNewsStory::OnInitDialog() {
    CDialog::OnInitDialog();
    constexpr DWORD kPaneStyle =
        WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
    m_RichEdit.Create(WS_CHILD | kPaneStyle, m_rcStory, this, IDC_STORY);
    if (CWnd* label = GetDlgItem(static_cast<int>(IDC_HEADLINE))) {
        CRect client;
        label->GetClientRect(&client);
        m_rcHeadline = CRect(10, 10, client.Width(), client.Height() + 20);
        label->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont), 1);
    }
    m_RichEdit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_pFont), 1);
    m_RichEdit.ShowWindow(SW_SHOW);
    vLoadLanguageString();
    return true;
}

void SKQNewsStory::vLoadLanguageString() {
    SetWindowText(s_LangGetLangString("IDS_DIALOG-STORY_TITLE"));
    const std::pair<UINT, const char*> captions[] = {
        {IDC_NEXT, "IDS_DIALOG-STORY_NEXT_BUTTON"},
        {IDC_PREV, "IDS_DIALOG-STORY_PREV_BUTTON"},
        {IDC_PRINT, "IDS_DIALOG-STORY_PRINT"},
        {IDC_SAVEAS, "IDS_DIALOG-STORY_SAVEAS"},
    };
    for (const auto& [id, key] : captions) {
        if (CWnd* button = GetDlgItem(static_cast<int>(id)))
            button->SetWindowText(s_LangGetLangString(key));
    }
}

void SKQNewsStory::OnSize(UINT nType, int cx, int cy) {
    CDialog::OnSize(nType, cx, cy);
    if (!m_RichEdit.IsWindow())
        return;
    m_rcHeadline.right = cx - 10;
    if (CWnd* label = GetDlgItem(static_cast<int>(IDC_HEADLINE)))
        label->MoveWindow(m_rcHeadline);
    m_rcStory.right = cx - 10;
    m_rcStory.bottom = m_pNewsView ? cy - 50 : cy - 10;
    m_RichEdit.MoveWindow(m_rcStory);
    const UINT order[] = {IDC_PREV, IDC_NEXT, IDC_SAVEAS, IDC_PRINT};
    if (!m_pNewsView) {
        for (const UINT id : order) {
            if (CWnd* button = GetDlgItem(static_cast<int>(id)))
                button->ShowWindow(SW_HIDE);
        }
        return;
    }
    CRect size;
    if (CWnd* prev = GetDlgItem(static_cast<int>(IDC_PREV)))
        prev->GetClientRect(&size);
    const int top = m_rcStory.bottom + 15;
    int right = m_rcStory.right;
    for (const UINT id : order) {
        if (CWnd* button = GetDlgItem(static_cast<int>(id)))
            button->MoveWindow(CRect(right - size.Width(), top, right, top + size.Height()));
        right -= size.Width() + 9;
    }
}

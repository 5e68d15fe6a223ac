#include "KeywordEdit.h"

#include "HostApi.h"
#include "SKQNewsCtrlView.h"
#include "ui/WindowSystem.h"

namespace {

constexpr UINT kIdeographicSpace = 0x3000;  // the blank of Chinese input methods

}  // namespace

void CKeywordEdit::vSetNewsView(SKQNewsCtrlView* view) {
    m_pNewsView = view;
    if (view) {
        SetEnterHandler([this] {
            if (m_pNewsView)
                m_pNewsView->vOnEnterDown();
        });
    } else {
        SetEnterHandler(nullptr);
    }
}

bool CKeywordEdit::PreTranslateKey(UINT message, UINT key) {
    if (message == WM_CHAR && (key == VK_SPACE || key == kIdeographicSpace)) {
        refuse("IDS_NEWSCTRLVIEW_STRING_INVALIDATE_VALUE");
        return true;
    }
    // Shift+Insert, and Ctrl+V, the other way to paste.
    const bool paste = (key == VK_INSERT && GetKeyState(VK_SHIFT) < 0) ||
                       (key == 'V' && GetKeyState(VK_CONTROL) < 0);
    if (message == WM_KEYDOWN && paste) {
        refuse("IDS_NEWSCTRLVIEW_STRING_INVALIDATE_PASTE");
        return true;
    }
    return false;
}

void CKeywordEdit::refuse(const char* textKey) {
    if (!m_pNewsView)
        return;
    CRect rect;
    GetWindowRect(&rect);
    m_pNewsView->vShowTip(rect, s_LangGetLangString(textKey));
}

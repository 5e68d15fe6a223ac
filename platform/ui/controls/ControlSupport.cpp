#include "ControlSupport.h"

#include "CDialog.h"
#include "ui/WindowSystem.h"

namespace controls {

bool HandleStandardMessage(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT& result) {
    switch (message) {
        case WM_SETTEXT:
            window.SetWindowText(reinterpret_cast<const char*>(lParam));
            result = 1;
            return true;
        case WM_GETTEXT: {
            const CString text = window.GetWindowText();
            if (auto* out = reinterpret_cast<CString*>(lParam))
                *out = text;
            result = text.GetLength();
            return true;
        }
        case WM_GETTEXTLENGTH:
            result = window.GetWindowText().GetLength();
            return true;
        case WM_SETFONT:
            window.SetFont(reinterpret_cast<CFont*>(wParam), lParam != 0);
            result = 0;
            return true;
        default:
            return false;
    }
}

bool PersonCanReach(const CWnd& control) {
    if (!control.IsWindowVisible())
        return false;
    for (const CWnd* window = &control; window; window = window->GetParent()) {
        if (!window->IsWindowEnabled())
            return false;
    }
    return true;
}

UINT VirtualKeyOf(char32_t ch) {
    if (ch >= 'a' && ch <= 'z')
        return static_cast<UINT>(ch - 'a' + 'A');
    if ((ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'))
        return static_cast<UINT>(ch);
    switch (ch) {
        case ' ':
            return VK_SPACE;
        case '\r':
        case '\n':
            return VK_RETURN;
        case '\b':
            return VK_BACK;
        case '\t':
            return VK_TAB;
        case 0x1B:
            return VK_ESCAPE;
        default:
            return 0;
    }
}

char32_t CharacterOfKey(UINT key) {
    switch (key) {
        case VK_BACK:
            return '\b';
        case VK_TAB:
            return '\t';
        case VK_RETURN:
            return '\r';
        case VK_ESCAPE:
            return 0x1B;
        case VK_SPACE:
            return ' ';
        default:
            return 0;
    }
}

HeldModifiers::HeldModifiers(const CWnd& window, UINT modifiers)
    : m_system(window.GetWindowSystem()) {
    if (!m_system)
        return;
    m_shiftWasDown = m_system->IsKeyDown(VK_SHIFT);
    m_controlWasDown = m_system->IsKeyDown(VK_CONTROL);
    if (modifiers & MK_SHIFT)
        m_system->SetKeyState(VK_SHIFT, true);
    if (modifiers & MK_CONTROL)
        m_system->SetKeyState(VK_CONTROL, true);
}

HeldModifiers::~HeldModifiers() {
    if (!m_system)
        return;
    m_system->SetKeyState(VK_SHIFT, m_shiftWasDown);
    m_system->SetKeyState(VK_CONTROL, m_controlWasDown);
}

CDialog* DialogOf(const CWnd& control) {
    for (CWnd* window = control.GetParent(); window; window = window->GetParent()) {
        if (auto* dialog = dynamic_cast<CDialog*>(window))
            return dialog;
    }
    return nullptr;
}

}  // namespace controls

#pragma once
// What every control shares: the standard messages any window answers
// (text, font), whether a person can reach a control, the keys a person's
// typing produces, and the dialog a control lives in.
#include <string_view>

#include "ControlMessages.h"
#include "ui/CWnd.h"

class CDialog;

namespace controls {

// WM_SETTEXT (lParam: const char*), WM_GETTEXT (lParam: CString*),
// WM_GETTEXTLENGTH and WM_SETFONT (wParam: CFont*, lParam: redraw). True
// when the message was one of them.
bool HandleStandardMessage(CWnd& window, UINT message, WPARAM wParam, LPARAM lParam,
                           LRESULT& result);

// A person can only use a control that exists, is shown and is enabled, in
// a window that is shown and enabled.
bool PersonCanReach(const CWnd& control);

// The virtual key a person presses to type `ch` (letters, digits, blank,
// Enter, Backspace, Tab, Escape), or 0 for characters that come from an
// input method or a key with no code of its own here.
UINT VirtualKeyOf(char32_t ch);
// The character a key produces when pressed (Backspace, Tab, Enter, Escape,
// blank), or 0.
char32_t CharacterOfKey(UINT key);

// Holds Shift and Ctrl down (MK_SHIFT, MK_CONTROL) in the window system for
// the lifetime of this object, as a person holds them while pressing a key.
class HeldModifiers {
  public:
    HeldModifiers(const CWnd& window, UINT modifiers);
    ~HeldModifiers();
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

  private:
    WindowSystem* m_system;
    bool m_shiftWasDown = false;
    bool m_controlWasDown = false;
};

// The dialog a control belongs to (its nearest dialog ancestor), or null.
CDialog* DialogOf(const CWnd& control);

}  // namespace controls

#pragma once
// CStatic: a text label (SS_LEFT, SS_CENTER, SS_RIGHT); its text is the
// window text. It takes no input.
#include "ControlMessages.h"
#include "ui/CWnd.h"

class CStatic : public CWnd {
  public:
    WindowKind GetKind() const override { return WindowKind::Static; }
    // Create(text, style, rect, parent, id) as any window.
    using CWnd::Create;

  protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

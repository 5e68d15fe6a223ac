#include "ControlColors.h"

ControlColors QueryControlColors(CWnd& control) {
    ControlColors colors;
    CWnd* parent = control.GetParent();
    if (!parent || !control.IsWindow())
        return colors;
    RecordingDC dc;
    dc.SetTextColor(colors.text);
    dc.SetBkColor(colors.textBackground);
    dc.SetBkMode(colors.backgroundMode);
    const LRESULT result = parent->SendMessage(WM_CTLCOLOR, reinterpret_cast<WPARAM>(&dc),
                                               static_cast<LPARAM>(control.GetSafeHwnd()));
    if (const auto* brush = reinterpret_cast<const CBrush*>(result)) {
        colors.backgroundGiven = true;
        colors.background = brush->GetColor();
    }
    colors.text = dc.GetTextColor();
    colors.textBackground = dc.GetBkColor();
    colors.backgroundMode = dc.GetBkMode();
    return colors;
}

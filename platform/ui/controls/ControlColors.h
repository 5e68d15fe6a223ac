#pragma once
// The colours a control is drawn in, asked of its parent before the control
// is drawn: WM_CTLCOLOR with a device context whose
// text colour, background colour and mode the parent may set, and the brush
// the parent returns for the background. Front ends ask this before they
// paint a control's peer.
#include "ui/CDC.h"
#include "ui/CWnd.h"

struct ControlColors {
    bool backgroundGiven = false;  // the parent returned a brush
    COLORREF background = RGB(255, 255, 255);
    COLORREF text = RGB(0, 0, 0);
    COLORREF textBackground = RGB(255, 255, 255);
    int backgroundMode = OPAQUE;
};

ControlColors QueryControlColors(CWnd& control);

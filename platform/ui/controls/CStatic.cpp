#include "CStatic.h"

#include "ControlSupport.h"

LRESULT CStatic::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    return CWnd::DefWindowProc(message, wParam, lParam);
}

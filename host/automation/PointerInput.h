#pragma once
// A person's mouse and keyboard, as the Qt front end turns them into the
// layer's messages: presses and releases at a point, double clicks, the
// context-menu request after a right click, wheel notches, key presses with
// Shift and Ctrl held. Rows of a grid are found where the grid lays them.
#include "ui/CWnd.h"

class CGridoraWnd;

namespace automation {

// The middle of a cell of a grid (column -1: the first column), in the
// grid's client coordinates. Throws when the row is not on screen.
CPoint GridCellPoint(const CGridoraWnd& grid, int row, int column);
// A point in the rows area below the last row; throws when the rows fill it.
CPoint GridBelowRowsPoint(const CGridoraWnd& grid);

void LeftClick(CWnd& window, CPoint point, UINT modifiers);
void DoubleClick(CWnd& window, CPoint point);
// A right click followed by the context-menu request, as the front end sends it.
void RightClick(CWnd& window, CPoint point);
void Wheel(CWnd& window, int notches, CPoint screenPoint);
// Key down, the character it makes (if any), key up.
void PressKey(CWnd& window, UINT key, UINT modifiers);

// Throws when a person could not use the control (hidden or disabled).
void RequireReachable(const CWnd& control, const std::string& what);

}  // namespace automation

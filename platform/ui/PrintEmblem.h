#pragma once
// The emblem printed pages carry in their footer: the terminal's own mark,
// drawn with plain strokes so every device context can show it.
#include "Geometry.h"

class CDC;

// Draws the emblem to fit `rect` (kept square, centred on the left).
void s_PrinQuentaLogo(CDC* dc, const CRect& rect);

#pragma once
// Text sizes for laying out windows outside painting (hit areas of tabs, the
// size of a tip before it is shown). The estimate counts columns as the
// recording device context does, so headless layouts match what tests record;
// a real front end measures again when it paints.
#include <vector>

#include "CFont.h"
#include "CString.h"
#include "ui/CDC.h"  // FontPixelHeight
#include "ui/Geometry.h"

namespace tabtext {

// The lines of a text, split at '\n' (a '\r' before it is dropped). An empty
// text is one empty line.
std::vector<CString> SplitLines(const CString& text);

// Width and height of one line in `font` (null: the default 12-pixel font).
CSize EstimateLine(const CString& line, const CFont* font);

// Width of the widest line and the height of all lines, each line as high as
// the font.
CSize EstimateBlock(const CString& text, const CFont* font);

}  // namespace tabtext

#pragma once
// The texts of the story window: the date-time line that begins each of
// them, the Simplified Chinese rule, and the story content's line breaks.
#include <cstdint>

#include "CString.h"
#include "WinTypes.h"

namespace story_text {

// "YYYY/MM/DD hh:mm:ss \r\n" of a record's time, in local time.
CString cszDateTimeLine(std::int32_t time);

// When the language service shows `service` in Simplified Chinese: the text
// converted, then the Taiwan term of "IDS_NEWSCTRLVIEW_STRING_REPLASE_NEWS"
// exchanged for "IDS_NEWSCTRLVIEW_STRING_REPLASE_MESSAGE".
void vApplySimplified(BYTE service, CString& text);

// Splits at every CR and LF (runs give no empty pieces), joins the pieces
// with nothing between them, then turns every "@@@@" into CR LF.
void vConvertContent(CString& content);

}  // namespace story_text

#pragma once
// Texts the news view makes from back-end records, shared by the sheets, the
// story window, the category combo and printing.
#include <cstdint>

#include "CString.h"
#include "WinTypes.h"

// The time column of a headline (local time): "MM/DD hh:mm" in the compact
// layout, else "YYYY/MM/DD hh:mm:ss" with the full date or "hh:mm:ss".
CString cszFormatHeadlineTime(std::int32_t seconds, bool bCompact, bool bFullDate);

// For a service the language service shows in Simplified Chinese: converts
// the text and then puts the Simplified wording of "IDS_NEWSCTRLVIEW_STRING_
// REPLASE_MESSAGE" where the conversion left that of "..._REPLASE_NEWS".
// Other services' texts stay as they are. Returns whether it converted.
bool vApplySimplifiedRule(CString& text, BYTE service);

#pragma once
// The values scripts write: numbers, service bytes, switches, times, dates,
// headline keys, keys of the keyboard. Each parser throws ScriptError with a
// sentence naming what was expected.
#include <cstdint>
#include <string>
#include <vector>

#include "NewsRecords.h"
#include "ScriptArgs.h"
#include "WinTypes.h"

namespace automation {

long long ParseNumber(const std::string& text, long long minimum, long long maximum,
                      const char* what);
int ParseInt(const std::string& text, const char* what);
// A service or market byte: 1-255 in decimal, or a character in single
// quotes ('1' is 49).
BYTE ParseByte(const std::string& text, const char* what);
// on/off, yes/no, true/false, 1/0.
bool ParseSwitch(const std::string& text, const char* what);
// A moment, in local time: HH:MM[:SS] (on the day of `today`), YYYY-MM-DD
// (midnight), YYYY-MM-DDTHH:MM[:SS], YYYYMMDD, or @SECONDS since 1970 UTC.
std::int64_t ParseTime(const std::string& text, std::int64_t today, const char* what);
// A date as YYYYMMDD from YYYYMMDD or YYYY-MM-DD.
std::int32_t ParseDate(const std::string& text, const char* what);
// A headline key SERVICE/TIME/SERIAL, the time as ParseTime takes it.
CHeadlineTable ParseHeadlineKey(const std::string& text, std::int64_t today);
// "a,b,c" as its items (an empty text: none).
std::vector<CString> ParseList(const std::string& text);

// A key: a name (Enter, Escape, Tab, Back, Space, PageUp, PageDown, End,
// Home, Left, Up, Right, Down, Insert, Delete), a letter or a digit, with
// Shift+ and Ctrl+ in front as held modifiers (MK_SHIFT, MK_CONTROL).
struct KeyPress {
    UINT key = 0;
    UINT modifiers = 0;
};
KeyPress ParseKeyPress(const std::string& text);

// Local time as "YYYY-MM-DD HH:MM:SS".
std::string FormatTime(std::int64_t seconds);
// A headline key as SERVICE/YYYY-MM-DDTHH:MM:SS/SERIAL.
std::string FormatKey(const CHeadlineTable& key);
// Text in double quotes, with the escapes the script reader knows.
std::string Quote(const std::string& text);

}  // namespace automation

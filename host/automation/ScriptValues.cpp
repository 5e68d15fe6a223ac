#include "ScriptValues.h"

#include <charconv>
#include <cstdio>
#include <map>

#include "CTime.h"
#include "ui/WinDefs.h"

namespace automation {

namespace {

// @SECONDS from the first moment a 32-bit record time holds (1901) to the
// last year the calendar forms take; beyond them a clock has no printable date.
constexpr long long kFirstSecond = INT32_MIN;
constexpr long long kLastSecond = 4133980799;  // 2100-12-31 23:59:59 UTC

bool readInt(std::string_view text, long long& value) {
    if (text.empty())
        return false;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end;
}

// Local fields to seconds; throws when the fields name no real moment.
std::int64_t localTime(int y, int mo, int d, int h, int mi, int s, const std::string& text,
                       const char* what) {
    if (y < 1970 || y > 2100 || mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 ||
        mi > 59 || s < 0 || s > 59)
        throw ScriptError(std::string(what) + " '" + text + "' is not a real date and time");
    const CTime t(y, mo, d, h, mi, s);
    // mktime moves Feb 30 to March: a date that changed was not real.
    if (t.GetDay() != d || t.GetMonth() != mo)
        throw ScriptError(std::string(what) + " '" + text + "' is not a real date");
    return t.GetTime();
}

}  // namespace

long long ParseNumber(const std::string& text, long long minimum, long long maximum,
                      const char* what) {
    long long value = 0;
    if (!readInt(text, value) || value < minimum || value > maximum) {
        throw ScriptError(std::string(what) + " '" + text + "': expected a number from " +
                          std::to_string(minimum) + " to " + std::to_string(maximum));
    }
    return value;
}

int ParseInt(const std::string& text, const char* what) {
    return static_cast<int>(ParseNumber(text, INT32_MIN, INT32_MAX, what));
}

BYTE ParseByte(const std::string& text, const char* what) {
    if (text.size() == 3 && text.front() == '\'' && text.back() == '\'')
        return static_cast<BYTE>(text[1]);
    long long value = 0;
    if (!readInt(text, value) || value < 1 || value > 255) {
        throw ScriptError(std::string(what) + " '" + text +
                          "': expected a number from 1 to 255 or a character in quotes like '1'");
    }
    return static_cast<BYTE>(value);
}

bool ParseSwitch(const std::string& text, const char* what) {
    if (text == "on" || text == "yes" || text == "true" || text == "1")
        return true;
    if (text == "off" || text == "no" || text == "false" || text == "0")
        return false;
    throw ScriptError(std::string(what) + " '" + text + "': expected on or off");
}

std::int64_t ParseTime(const std::string& text, std::int64_t today, const char* what) {
    long long seconds = 0;
    if (!text.empty() && text[0] == '@') {
        if (!readInt(std::string_view(text).substr(1), seconds) || seconds < kFirstSecond ||
            seconds > kLastSecond)
            throw ScriptError(std::string(what) + " '" + text + "': expected @SECONDS from " +
                              std::to_string(kFirstSecond) + " to " + std::to_string(kLastSecond) +
                              " (1901 to 2100)");
        return seconds;
    }
    int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
    char extra = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%dT%d:%d:%d%c", &y, &mo, &d, &h, &mi, &s, &extra) == 6)
        return localTime(y, mo, d, h, mi, s, text, what);
    s = 0;
    if (std::sscanf(text.c_str(), "%d-%d-%dT%d:%d%c", &y, &mo, &d, &h, &mi, &extra) == 5)
        return localTime(y, mo, d, h, mi, 0, text, what);
    if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &mo, &d, &extra) == 3)
        return localTime(y, mo, d, 0, 0, 0, text, what);
    if (text.size() == 8 && readInt(text, seconds))
        return localTime(static_cast<int>(seconds / 10000), static_cast<int>(seconds / 100 % 100),
                         static_cast<int>(seconds % 100), 0, 0, 0, text, what);
    const CTime day(today);
    if (std::sscanf(text.c_str(), "%d:%d:%d%c", &h, &mi, &s, &extra) == 3)
        return localTime(day.GetYear(), day.GetMonth(), day.GetDay(), h, mi, s, text, what);
    if (std::sscanf(text.c_str(), "%d:%d%c", &h, &mi, &extra) == 2)
        return localTime(day.GetYear(), day.GetMonth(), day.GetDay(), h, mi, 0, text, what);
    throw ScriptError(std::string(what) + " '" + text +
                      "': expected HH:MM[:SS], YYYY-MM-DD[THH:MM[:SS]], YYYYMMDD or @SECONDS");
}

std::int32_t ParseDate(const std::string& text, const char* what) {
    int y = 0, mo = 0, d = 0;
    char extra = 0;
    long long number = 0;
    if (text.size() == 8 && readInt(text, number)) {
        y = static_cast<int>(number / 10000);
        mo = static_cast<int>(number / 100 % 100);
        d = static_cast<int>(number % 100);
    } else if (std::sscanf(text.c_str(), "%4d-%2d-%2d%c", &y, &mo, &d, &extra) != 3) {
        throw ScriptError(std::string(what) + " '" + text + "': expected YYYYMMDD or YYYY-MM-DD");
    }
    localTime(y, mo, d, 0, 0, 0, text, what);
    return y * 10000 + mo * 100 + d;
}

CHeadlineTable ParseHeadlineKey(const std::string& text, std::int64_t today) {
    const std::size_t first = text.find('/');
    const std::size_t second = first == std::string::npos ? first : text.find('/', first + 1);
    if (second == std::string::npos)
        throw ScriptError("headline key '" + text + "': expected SERVICE/TIME/SERIAL");
    CHeadlineTable key;
    key.byService = ParseByte(text.substr(0, first), "service");
    key.tTime = static_cast<std::int32_t>(
        ParseTime(text.substr(first + 1, second - first - 1), today, "headline time"));
    key.dwSerial = static_cast<std::int32_t>(
        ParseNumber(text.substr(second + 1), INT32_MIN, UINT32_MAX, "serial"));
    return key;
}

std::vector<CString> ParseList(const std::string& text) {
    std::vector<CString> items;
    if (text.empty())
        return items;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        items.emplace_back(text.substr(start, comma - start));
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return items;
}

KeyPress ParseKeyPress(const std::string& text) {
    static const std::map<std::string, UINT> names = {
        {"enter", VK_RETURN},  {"return", VK_RETURN}, {"escape", VK_ESCAPE},  {"esc", VK_ESCAPE},
        {"tab", VK_TAB},       {"back", VK_BACK},     {"backspace", VK_BACK}, {"space", VK_SPACE},
        {"pageup", VK_PRIOR},  {"pagedown", VK_NEXT}, {"end", VK_END},        {"home", VK_HOME},
        {"left", VK_LEFT},     {"up", VK_UP},         {"right", VK_RIGHT},    {"down", VK_DOWN},
        {"insert", VK_INSERT}, {"delete", VK_DELETE},
    };
    KeyPress press;
    std::string rest = text;
    while (true) {
        const std::size_t plus = rest.find('+');
        if (plus == std::string::npos || plus + 1 >= rest.size())
            break;
        std::string modifier = rest.substr(0, plus);
        for (char& c : modifier)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (modifier == "shift")
            press.modifiers |= MK_SHIFT;
        else if (modifier == "ctrl" || modifier == "control")
            press.modifiers |= MK_CONTROL;
        else
            throw ScriptError("key '" + text + "': unknown modifier '" + rest.substr(0, plus) +
                              "' (Shift or Ctrl)");
        rest.erase(0, plus + 1);
    }
    if (rest.size() == 1 && std::isalnum(static_cast<unsigned char>(rest[0]))) {
        press.key = static_cast<UINT>(std::toupper(static_cast<unsigned char>(rest[0])));
        return press;
    }
    std::string lower = rest;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto it = names.find(lower);
    if (it == names.end())
        throw ScriptError("key '" + text + "': unknown key name");
    press.key = it->second;
    return press;
}

std::string FormatTime(std::int64_t seconds) {
    return CTime(seconds).Format("%Y-%m-%d %H:%M:%S").str();
}

std::string FormatKey(const CHeadlineTable& key) {
    // Copies first: the record is packed.
    const BYTE service = key.byService;
    const std::int32_t time = key.tTime;
    const std::int32_t serial = key.dwSerial;
    return std::to_string(service) + "/" + CTime(time).Format("%Y-%m-%dT%H:%M:%S").str() + "/" +
           std::to_string(serial);
}

std::string Quote(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

}  // namespace automation

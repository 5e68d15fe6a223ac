#include "NewsText.h"

#include <ctime>

#include "CTime.h"
#include "HostApi.h"

namespace {

// The local time of the hour a time falls in, kept from the last text made:
// a sheet's times come in runs (a page, a burst of live news), and asking the
// time zone costs more than everything else a row's texts need. An hour is
// only kept when the zone gives it the same offset at both ends, so no
// offset change falls inside it; a new time zone forgets it.
class LocalHour {
  public:
    bool bGet(std::int64_t time, std::tm& out) {
        const std::uint64_t zone = CTime::GetZoneGeneration();
        if (zone != m_zone || time < m_start || time >= m_start + 3600) {
            m_zone = zone;
            if (!remember(time))
                return localTime(time, out);
        }
        out = m_tm;
        const auto into = static_cast<int>(time - m_start);
        out.tm_min = into / 60;
        out.tm_sec = into % 60;
        return true;
    }

  private:
    static bool localTime(std::int64_t time, std::tm& out) {
        const auto t = static_cast<std::time_t>(time);
        return localtime_r(&t, &out) != nullptr;
    }
    bool remember(std::int64_t time) {
        m_start = 1;  // nothing kept until the hour has proved sound
        std::tm at{};
        if (!localTime(time, at))
            return false;
        const std::int64_t start = time - at.tm_min * 60 - at.tm_sec;
        std::tm first{};
        std::tm last{};
        if (!localTime(start, first) || !localTime(start + 3599, last))
            return false;
        const bool sound = first.tm_gmtoff == at.tm_gmtoff && last.tm_gmtoff == at.tm_gmtoff &&
                           first.tm_hour == at.tm_hour && first.tm_min == 0 && first.tm_sec == 0 &&
                           last.tm_hour == at.tm_hour && last.tm_yday == at.tm_yday &&
                           last.tm_min == 59 && last.tm_sec == 59;
        if (!sound)
            return false;
        m_start = start;
        m_tm = first;
        return true;
    }

    std::uint64_t m_zone = 0;
    std::int64_t m_start = 1;  // [m_start, m_start + 3600) is the hour kept; none at first
    std::tm m_tm{};
};

LocalHour& localHour() {
    // The view's texts are made on its own thread; another view's thread keeps its own.
    thread_local LocalHour hour;
    return hour;
}

char* putNumber(char* at, int value, int digits) {
    for (int i = digits - 1; i >= 0; --i) {
        at[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return at + digits;
}

}  // namespace

CString cszFormatHeadlineTime(std::int32_t seconds, bool bCompact, bool bFullDate) {
    std::tm tm{};
    if (!localHour().bGet(seconds, tm))
        return {};
    // "YYYY/MM/DD hh:mm:ss" at most; the year of a 32-bit time has four digits.
    char text[20];
    char* at = text;
    if (bFullDate && !bCompact) {
        at = putNumber(at, tm.tm_year + 1900, 4);
        *at++ = '/';
    }
    if (bCompact || bFullDate) {
        at = putNumber(at, tm.tm_mon + 1, 2);
        *at++ = '/';
        at = putNumber(at, tm.tm_mday, 2);
        *at++ = ' ';
    }
    at = putNumber(at, tm.tm_hour, 2);
    *at++ = ':';
    at = putNumber(at, tm.tm_min, 2);
    if (!bCompact) {
        *at++ = ':';
        at = putNumber(at, tm.tm_sec, 2);
    }
    return CString(text, static_cast<int>(at - text));
}

bool vApplySimplifiedRule(CString& text, BYTE service) {
    if (!s_LangIsConvertToSimplified(service))
        return false;
    const CString source = text;
    s_LangConvertToSimplifiedChinese(source, text);
    const CString from = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_REPLASE_NEWS");
    const CString to = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_REPLASE_MESSAGE");
    if (!from.IsEmpty())
        text.Replace(from, to);
    return true;
}

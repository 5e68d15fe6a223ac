#include "NewsText.h"

#include "CTime.h"
#include "HostApi.h"

CString cszFormatHeadlineTime(std::int32_t seconds, bool bCompact, bool bFullDate) {
    const CTime time{static_cast<std::int64_t>(seconds)};
    // One local-time conversion per text: a refill formats a page of them.
    if (bCompact)
        return time.Format("%m/%d %H:%M");
    if (bFullDate)
        return time.Format("%Y/%m/%d %H:%M:%S");
    return time.Format("%H:%M:%S");
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

#include "StoryText.h"

#include "CTime.h"
#include "HostApi.h"

namespace story_text {

CString cszDateTimeLine(std::int32_t time) {
    const CTime t(time);
    return CString::Formatted("%04d/%02d/%02d %02d:%02d:%02d \r\n", t.GetYear(), t.GetMonth(),
                              t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond());
}

void vApplySimplified(BYTE service, CString& text) {
    if (!s_LangIsConvertToSimplified(service))
        return;
    const CString source = text;
    s_LangConvertToSimplifiedChinese(source, text);
    const CString from = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_REPLASE_NEWS");
    const CString to = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_REPLASE_MESSAGE");
    if (!from.IsEmpty())
        text.Replace(from.str(), to.str());
}

void vConvertContent(CString& content) {
    CString joined;
    int start = 0;
    for (CString piece = content.Tokenize("\r\n", start); start >= 0;
         piece = content.Tokenize("\r\n", start)) {
        joined += piece;
    }
    joined.Replace("@@@@", "\r\n");
    content = joined;
}

}  // namespace story_text

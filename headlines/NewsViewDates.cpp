// SKQNewsCtrlView: the news day the all-news sheet shows. The user looks at
// an earlier day with the picker, as far back as the entitlement allows; a
// service's new news day reloads the sheet with every service's own day.
#include "HostApi.h"
#include "NewsApi.h"
#include "SKQNewsCtrlView.h"

void SKQNewsCtrlView::OnDateTimeDropDown(NMHDR* /*header*/, LRESULT* result) {
    m_bDateDropped = true;
    if (result)
        *result = 0;
}

void SKQNewsCtrlView::OnDateTimeCloseUp(NMHDR* /*header*/, LRESULT* result) {
    m_bDateDropped = false;
    if (result)
        *result = 0;
    COleDateTime chosen;
    if (m_dtpNewsDate.GetTime(chosen))
        bChangeDate(chosen);
}

void SKQNewsCtrlView::OnDateTimeChange(NMHDR* header, LRESULT* result) {
    if (result)
        *result = 0;
    // While the calendar is open the user is browsing it; its closing decides.
    if (m_bDateDropped || !header)
        return;
    const auto* change = reinterpret_cast<const NMDATETIMECHANGE*>(header);
    if (change->dwFlags != GDT_VALID)
        return;
    COleDateTime chosen = FromSystemTime(change->st);
    bChangeDate(chosen);
}

void SKQNewsCtrlView::vLoadAllNewsDay(bool bOwnDays) {
    CGridoraWnd* sheet = m_apSheet[kModeAll];
    sheet->vDeleteAllRows();
    sheet->vResetScrollPosInfo();
    sheet->vResetScrollBar();
    sheet->Invalidate(true);
    // Sheet 0's own choice of services: the items' checked flags follow the
    // mode on screen (warrant news clears them).
    std::vector<BYTE> services;
    vGetFetchServices(kModeAll, services);
    // Services turn their days one at a time: with bOwnDays each is read for
    // its own day; one whose day is not known yet for the day shown.
    const CString shown = cszGetNewsDateText();
    HeadlineList& list = m_avecHeadline[kModeAll];
    list.vClear();
    // The list is current: entering the all-news mode later keeps it rather
    // than reading every service for the day shown.
    m_bAllLoaded = true;
    std::vector<CHeadlineTable> part;
    for (const BYTE service : services) {
        CString day = bOwnDays ? NEWS_cszGetCurrDateByService(service) : shown;
        if (day.IsEmpty())
            day = shown;
        bool known = false;
        NEWS_iGetHeadlineTable(service, part, 0, day, known);
        list.vAppend(part);
    }
}

void SKQNewsCtrlView::vShowAllNewsDay() {
    HeadlineList& list = m_avecHeadline[kModeAll];
    list.vStableSort();
    vFillHeadlineTable(m_apSheet[kModeAll], list, false);
    vFillHeadline(kModeAll, m_apSheet[kModeAll], list, false);
}

bool SKQNewsCtrlView::bRefuseDate(const CString& text) {
    vShowTipMessage(m_apSheet[kModeAll], text);
    if (m_dtpNewsDate.IsWindow())
        m_dtpNewsDate.SetTime(m_dtNewsDate);
    return false;
}

bool SKQNewsCtrlView::bChangeDate(COleDateTime& date) {
    if (!m_apSheet[kModeAll])
        return false;
    // Whole date-times: the day at the edge of the range is open from the
    // present time of day on.
    const COleDateTime now = COleDateTime::GetCurrentTime();
    const COleDateTime earliest = now - COleDateTimeSpan(m_byNewsDateRange, 0, 0, 0);
    if (date < earliest) {
        return bRefuseDate(CString::Formatted(
            "%s%d%s", s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_ONLYSELECT").c_str(),
            m_byNewsDateRange, s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_INSOMEDAYS").c_str()));
    }
    if (date > now)
        return bRefuseDate(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_AFTERDAYS"));
    if (date == m_dtNewsDate && date.GetStatus() == m_dtNewsDate.GetStatus())
        return false;

    m_dtNewsDate = date;
    vLoadAllNewsDay(false);
    if (m_avecHeadline[kModeAll].bIsEmpty()) {
        m_strRecoverKey.Empty();
        return false;
    }
    vShowAllNewsDay();
    return true;
}

bool SKQNewsCtrlView::bChangeDateByNewHeadLine() {
    if (!m_apSheet[kModeAll])
        return false;
    vLoadAllNewsDay(true);
    vShowAllNewsDay();
    return true;
}

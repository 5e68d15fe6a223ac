#include "CDateTimeCtrl.h"

#include "ControlSupport.h"

SYSTEMTIME ToSystemTime(const COleDateTime& value) {
    SYSTEMTIME time;
    if (!value.IsValid())
        return time;
    time.wYear = static_cast<WORD>(value.GetYear());
    time.wMonth = static_cast<WORD>(value.GetMonth());
    time.wDayOfWeek = static_cast<WORD>(value.GetDayOfWeek() - 1);
    time.wDay = static_cast<WORD>(value.GetDay());
    time.wHour = static_cast<WORD>(value.GetHour());
    time.wMinute = static_cast<WORD>(value.GetMinute());
    time.wSecond = static_cast<WORD>(value.GetSecond());
    return time;
}

COleDateTime FromSystemTime(const SYSTEMTIME& time) {
    return COleDateTime(time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond);
}

bool CDateTimeCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id) {
    return CWnd::Create("", style, rect, parent, id);
}

bool CDateTimeCtrl::GetTime(COleDateTime& value) const {
    if (!IsWindow())
        return false;
    value = m_value;
    return true;
}

DWORD CDateTimeCtrl::GetTime(CTime& value) const {
    if (!IsWindow())
        return GDT_ERROR;
    return m_value.GetAsCTime(value) ? GDT_VALID : GDT_ERROR;
}

bool CDateTimeCtrl::acceptable(const COleDateTime& value) const {
    if (!value.IsValid())
        return false;
    if (m_hasMinimum && value < m_minimum)
        return false;
    if (m_hasMaximum && value > m_maximum)
        return false;
    return true;
}

bool CDateTimeCtrl::SetTime(const COleDateTime& value) {
    if (!IsWindow() || !acceptable(value))
        return false;
    if (!(value == m_value)) {
        m_value = value;
        Changed(WindowChange::Content);
    }
    return true;
}

bool CDateTimeCtrl::SetTime(const CTime& value) {
    return SetTime(COleDateTime(value));
}

bool CDateTimeCtrl::SetTime(const CTime* value) {
    return value && SetTime(*value);
}

bool CDateTimeCtrl::SetRange(const COleDateTime* minimum, const COleDateTime* maximum) {
    if ((minimum && !minimum->IsValid()) || (maximum && !maximum->IsValid()))
        return false;
    if (minimum && maximum && *maximum < *minimum)
        return false;
    m_hasMinimum = minimum != nullptr;
    m_hasMaximum = maximum != nullptr;
    if (minimum)
        m_minimum = *minimum;
    if (maximum)
        m_maximum = *maximum;
    Changed(WindowChange::Content);
    // The value follows the range, as the picker shows only what it allows.
    if (IsWindow()) {
        if (m_hasMinimum && m_value < m_minimum)
            SetTime(m_minimum);
        if (m_hasMaximum && m_value > m_maximum)
            SetTime(m_maximum);
    }
    return true;
}

DWORD CDateTimeCtrl::GetRange(COleDateTime* minimum, COleDateTime* maximum) const {
    DWORD ends = 0;
    if (m_hasMinimum) {
        ends |= GDTR_MIN;
        if (minimum)
            *minimum = m_minimum;
    }
    if (m_hasMaximum) {
        ends |= GDTR_MAX;
        if (maximum)
            *maximum = m_maximum;
    }
    return ends;
}

bool CDateTimeCtrl::DropDown() {
    if (!IsWindow() || !controls::PersonCanReach(*this))
        return false;
    SetFocus();
    if (m_dropped)
        return true;
    m_dropped = true;
    Changed(WindowChange::Content);
    NotifyParent(DTN_DROPDOWN);
    return true;
}

bool CDateTimeCtrl::CloseUp() {
    if (!IsWindow() || !m_dropped || !controls::PersonCanReach(*this))
        return false;
    m_dropped = false;
    Changed(WindowChange::Content);
    NotifyParent(DTN_CLOSEUP);
    return true;
}

bool CDateTimeCtrl::Pick(const COleDateTime& value) {
    if (!IsWindow() || !controls::PersonCanReach(*this) || !SetTime(value))
        return false;
    NMDATETIMECHANGE change;
    change.dwFlags = GDT_VALID;
    change.st = ToSystemTime(m_value);
    NotifyParent(DTN_DATETIMECHANGE, &change.nmhdr);
    return true;
}

bool CDateTimeCtrl::PickDay(int year, int month, int day) {
    const COleDateTime value(year, month, day, m_value.GetHour(), m_value.GetMinute(),
                             m_value.GetSecond());
    return Pick(value);
}

LRESULT CDateTimeCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (controls::HandleStandardMessage(*this, message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_CREATE:
            m_value = COleDateTime::GetCurrentTime();
            m_dropped = false;
            break;
        case WM_DESTROY:
            m_hasMinimum = m_hasMaximum = false;
            m_dropped = false;
            break;
        case DTM_GETSYSTEMTIME:
            if (auto* out = reinterpret_cast<SYSTEMTIME*>(lParam))
                *out = ToSystemTime(m_value);
            return static_cast<LRESULT>(IsWindow() ? GDT_VALID : GDT_ERROR);
        case DTM_SETSYSTEMTIME: {
            const auto* in = reinterpret_cast<const SYSTEMTIME*>(lParam);
            return (wParam == GDT_VALID && in && SetTime(FromSystemTime(*in))) ? 1 : 0;
        }
        default:
            break;
    }
    return CWnd::DefWindowProc(message, wParam, lParam);
}

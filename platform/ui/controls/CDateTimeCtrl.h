#pragma once
// CDateTimeCtrl: a date-time picker holding one date and time (whole
// seconds), by default the moment it was created (the host clock's "now").
// An optional range bounds what it takes.
//
// Setting the value from code sends nothing. A person's actions notify the
// parent with WM_NOTIFY: DropDown opens the calendar (DTN_DROPDOWN); Pick
// sets a value (DTN_DATETIMECHANGE with an NMDATETIMECHANGE carrying it,
// also while the calendar is open, as browsing it does); PickDay picks a
// day in the calendar, keeping the time of day; CloseUp closes the
// calendar (DTN_CLOSEUP).
#include "COleDateTime.h"
#include "CTime.h"
#include "ControlMessages.h"
#include "ui/CWnd.h"

class CDateTimeCtrl : public CWnd {
  public:
    WindowKind GetKind() const override { return WindowKind::DateTime; }

    bool Create(DWORD style, const CRect& rect, CWnd* parent, UINT id);
    using CWnd::Create;

    bool GetTime(COleDateTime& value) const;
    DWORD GetTime(CTime& value) const;  // GDT_VALID, or GDT_ERROR when CTime cannot hold it
    // False (value kept) for an invalid value, one outside the range or a
    // picker without a window.
    bool SetTime(const COleDateTime& value);
    bool SetTime(const CTime& value);
    bool SetTime(const CTime* value);  // null is refused: the picker always holds a value

    // Null leaves that end open. False when both are given and min > max.
    bool SetRange(const COleDateTime* minimum, const COleDateTime* maximum);
    // GDTR_MIN / GDTR_MAX bits for the ends that are set.
    DWORD GetRange(COleDateTime* minimum, COleDateTime* maximum) const;

    bool IsDropped() const { return m_dropped; }

    // A person's actions; false when the person cannot reach the picker or
    // the value is refused.
    bool DropDown();
    bool CloseUp();
    bool Pick(const COleDateTime& value);
    bool PickDay(int year, int month, int day);

  protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    bool acceptable(const COleDateTime& value) const;

    COleDateTime m_value;
    COleDateTime m_minimum;
    COleDateTime m_maximum;
    bool m_hasMinimum = false;
    bool m_hasMaximum = false;
    bool m_dropped = false;
};

constexpr DWORD GDTR_MIN = 0x0001;
constexpr DWORD GDTR_MAX = 0x0002;

// The fields of a date and time as SYSTEMTIME carries them.
SYSTEMTIME ToSystemTime(const COleDateTime& value);
COleDateTime FromSystemTime(const SYSTEMTIME& time);

#include "NewsRecords.h"

#include "CTime.h"

bool IsSameHeadline(const CHeadlineTable& a, const CHeadlineTable& b) {
    if (a.byService != b.byService || a.dwSerial != b.dwSerial)
        return false;
    // Serials restart every day, so the local calendar day is part of the key.
    return CTime(a.tTime).GetDateNumber() == CTime(b.tTime).GetDateNumber();
}

bool IsNewerHeadline(const CHeadlineTable& a, const CHeadlineTable& b) {
    if (a.tTime != b.tTime)
        return a.tTime > b.tTime;
    return a.dwSerial > b.dwSerial;
}

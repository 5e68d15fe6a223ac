#pragma once
// The news records the back-end hands to the view. Times are 32-bit seconds
// since 1970 UTC; calendar fields are taken in local time.
#include <cstdint>

#include "CString.h"
#include "WinTypes.h"

// The key of one headline: 9 bytes, packed, as stored and sent.
#pragma pack(push, 1)
struct CHeadlineTable {
    BYTE byService = 0;
    std::int32_t tTime = 0;
    std::int32_t dwSerial = 0;
};
#pragma pack(pop)
static_assert(sizeof(CHeadlineTable) == 9, "headline keys are 9 packed bytes");

// Two keys name the same headline when service and serial are equal and
// their times fall on the same local calendar day.
bool IsSameHeadline(const CHeadlineTable& a, const CHeadlineTable& b);

// Newest first: later time first; equal times, greater serial (signed) first.
bool IsNewerHeadline(const CHeadlineTable& a, const CHeadlineTable& b);

// A full headline record.
struct CHeadline {
    BYTE byService = 0;
    std::int32_t tTime = 0;
    std::uint32_t dwSerial = 0;
    CString strTitle;
    BYTE byReserved = 0;  // the back-end's own; the view does not read it
    BYTE byDeleted = 0;   // non-zero: withdrawn by its service; printing and saving skip it
    std::uint32_t dwCategoryID = 0;

    CHeadlineTable Key() const {
        return CHeadlineTable{byService, tTime, static_cast<std::int32_t>(dwSerial)};
    }
};

// The story of one headline.
struct CStory {
    BYTE byService = 0;
    std::int32_t tTime = 0;
    std::uint32_t dwSerial = 0;
    CString strStory;
};

// A service's market status: its news day, YYYYMMDD.
class CMarketStatus {
  public:
    CMarketStatus() = default;
    CMarketStatus(BYTE service, std::int32_t date) : m_byService(service), m_iDate(date) {}
    virtual ~CMarketStatus() = default;
    virtual BYTE byGetService() const { return m_byService; }
    std::int32_t iGetDate() const { return m_iDate; }

    BYTE m_byService = 0;
    std::int32_t m_iDate = 0;
};

// A recovery batch: which table of which service was reloaded.
struct CHeadlineTableInfo {
    BYTE byService = 0;
    BYTE byFlags = 0;           // 0x80: report an empty result to the user
    BYTE byKind = 0;            // the back-end's own: 0 day, 1 category, 2 symbol
    std::uint32_t dwCount = 0;  // the back-end's own: how many keys the table holds now
    CString strKey;             // YYYYMMDD, a category id or a symbol id
};
inline constexpr BYTE kRecoveryReportEmpty = 0x80;

// The warrant news service.
inline constexpr BYTE kWarrantService = '4';

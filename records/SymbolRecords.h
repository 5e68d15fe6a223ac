#pragma once
// Records of the symbol look-ups.
#include <cstdint>

#include "CString.h"
#include "CSymbolInfo.h"
#include "WinTypes.h"

// A host notice of a listing change: 'I' added, 'D' removed, other: changed.
struct CSymbolUpdateInfo {
    std::uint32_t dwReserved = 0;
    char cAction = 0;
    CSymbolInfo symbolInfo;
};

// A value of a quote item, convertible to text.
class X1Format {
  public:
    X1Format() = default;
    explicit X1Format(const CString& text) : m_text(text) {}
    operator CString() const { return m_text; }  // NOLINT: converts as the callers expect
    const CString& Text() const { return m_text; }

  private:
    CString m_text;
};

// A quote-service descriptor that look-ups may be narrowed by; callers pass null.
class CCDSInfo;

// The user's entitlements as the back-end knows them.
class SKQAuthorization {
  public:
    explicit SKQAuthorization(BYTE newsDateRange = 30) : m_byNewsDateRange(newsDateRange) {}
    // How many days back the user may read news.
    BYTE byGetNewsDateRange() const { return m_byNewsDateRange; }
    void vSetNewsDateRange(BYTE days) { m_byNewsDateRange = days; }

  private:
    BYTE m_byNewsDateRange;
};

#pragma once
// Search conditions. Their string form (GetString/LoadString) is what stored
// settings keep; LoadString of a string made by GetString restores a
// condition equal in every field, and a malformed string leaves the
// condition as it was.
#include <cstdint>
#include <vector>

#include "CString.h"
#include "WinTypes.h"

class CSearch {
  public:
    std::vector<CString> vecKeyword;
    BYTE byScope = 0;   // 0 headline, 1 story, 2 both
    BYTE byMethod = 0;  // 1 AND, 2 OR, 0 not chosen
    std::int32_t tSearch = 0;

    void GetString(CString& out) const;
    bool LoadString(const CString& text);

    friend bool operator==(const CSearch&, const CSearch&) = default;
};

class CRelationSearch {
  public:
    BYTE byMarket = 0;
    CString strSymbol;
    CSearch search;

    void GetString(CString& out) const;
    bool LoadString(const CString& text);

    friend bool operator==(const CRelationSearch&, const CRelationSearch&) = default;
};

#include "StoreRecords.h"

#include <charconv>
#include <string>

#include "CTime.h"

HeadlineId HeadlineId::Of(const CHeadlineTable& key) {
    return HeadlineId{key.byService, CTime(key.tTime).GetDateNumber(), key.dwSerial};
}

CString CanonicalCategoryId(const CString& id) {
    const std::string& s = id.str();
    std::uint32_t number = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), number);
    if (s.empty() || ec != std::errc() || end != s.data() + s.size())
        return id;
    return CString(std::to_string(number));
}

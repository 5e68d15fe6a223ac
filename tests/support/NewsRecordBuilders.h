#pragma once
// Builders of news records for the back-end and view tests: Taipei times,
// headline keys and fed headlines, and readers of the keys' packed fields.
#include <cstdint>
#include <string>
#include <vector>

#include "FeedTarget.h"
#include "NewsRecords.h"

namespace news_test {

// Seconds of a Taipei local time (every test runs in Taipei time).
std::int64_t Taipei(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

// Records carry times as 32 bits.
inline std::int32_t T32(std::int64_t t) {
    return static_cast<std::int32_t>(t);
}

// Keys are packed: their fields are read by value, never bound to a reference.
inline std::int32_t SerialOf(const CHeadlineTable& key) {
    return key.dwSerial;
}
inline std::int32_t TimeOf(const CHeadlineTable& key) {
    return key.tTime;
}
inline BYTE ServiceOf(const CHeadlineTable& key) {
    return key.byService;
}

CHeadlineTable Key(BYTE service, std::int64_t time, std::int32_t serial);

// A fed headline. Its category number is left 0: the back-end takes it from
// the category text, as it does for a feed that sends the text only.
FeedHeadline Item(BYTE service, std::int64_t time, std::uint32_t serial, const char* title,
                  const char* category = "1", std::vector<CString> symbols = {},
                  const char* story = "");

// Serials of a list, in list order.
std::vector<int> Serials(const std::vector<CHeadlineTable>& keys);

// "service/local date/serial", e.g. "1/20240308/7".
std::string KeyText(const CHeadlineTable& key);

}  // namespace news_test

#include "NewsRecordBuilders.h"

#include "CTime.h"

namespace news_test {

std::int64_t Taipei(int year, int month, int day, int hour, int minute, int second) {
    return CTime(year, month, day, hour, minute, second).GetTime();
}

CHeadlineTable Key(BYTE service, std::int64_t time, std::int32_t serial) {
    return CHeadlineTable{service, T32(time), serial};
}

FeedHeadline Item(BYTE service, std::int64_t time, std::uint32_t serial, const char* title,
                  const char* category, std::vector<CString> symbols, const char* story) {
    FeedHeadline item;
    item.headline.byService = service;
    item.headline.tTime = T32(time);
    item.headline.dwSerial = serial;
    item.headline.strTitle = title;
    item.categoryId = category;
    item.symbols = std::move(symbols);
    item.story = story;
    return item;
}

std::vector<int> Serials(const std::vector<CHeadlineTable>& keys) {
    std::vector<int> out;
    out.reserve(keys.size());
    for (const CHeadlineTable& key : keys)
        out.push_back(SerialOf(key));
    return out;
}

std::string KeyText(const CHeadlineTable& key) {
    return std::string(1, static_cast<char>(key.byService)) + "/" +
           std::to_string(CTime(key.tTime).GetDateNumber()) + "/" + std::to_string(key.dwSerial);
}

}  // namespace news_test

// libFuzzer target for the string form of search conditions. For any input,
// LoadString must either refuse it and leave the condition exactly as it was,
// or accept it only when it is exactly what GetString writes for the
// condition it read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "SearchConditions.h"

namespace {

CSearch sentinel() {
    CSearch search;
    search.vecKeyword = {"sentinel", ""};
    search.byScope = 7;
    search.byMethod = 9;
    search.tSearch = -5;
    return search;
}

void check(bool holds) {
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const CString text(std::string(reinterpret_cast<const char*>(data), size));

    CSearch search = sentinel();
    if (search.LoadString(text)) {
        CString written;
        search.GetString(written);
        check(written == text);
    } else {
        check(search == sentinel());
    }

    CRelationSearch relation;
    relation.byMarket = 16;
    relation.strSymbol = "2330";
    relation.search = sentinel();
    const CRelationSearch before = relation;
    if (relation.LoadString(text)) {
        CString written;
        relation.GetString(written);
        check(written == text);
    } else {
        check(relation == before);
    }
    return 0;
}

#include "StoreRecords.h"

#include "CTime.h"

HeadlineId HeadlineId::Of(const CHeadlineTable& key) {
    return HeadlineId{key.byService, CTime(key.tTime).GetDateNumber(), key.dwSerial};
}

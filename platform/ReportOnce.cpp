#include "ReportOnce.h"

#include <cstdio>
#include <mutex>
#include <set>

bool ReportOnce(const std::string& message) {
    static std::mutex mutex;
    static std::set<std::string> seen;
    std::lock_guard lock(mutex);
    if (!seen.insert(message).second)
        return false;
    std::fprintf(stderr, "%s\n", message.c_str());
    return true;
}

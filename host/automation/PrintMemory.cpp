// "print memory": what the process holds, what of it is in use on the heap,
// what of that SQLite holds (the in-memory news store above all) and what the
// views' lists hold, so a long run can tell growth with the news from a leak
// (and from freed memory the allocator keeps).
#include <malloc.h>
#include <sqlite3.h>

#include <fstream>
#include <ostream>
#include <string>

#include "NewsViewInspection.h"
#include "Printing.h"
#include "Session.h"

namespace automation::printing {

namespace {

constexpr int kModes = 7;

// VmRSS of /proc/self/status, in kB; -1 where the system does not tell it.
long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

}  // namespace

void Memory(Session& s, Args& a) {
    a.Finish();
    std::size_t entries = 0;
    for (const auto& [name, view] : s.Views()) {
        if (const auto* inspection = dynamic_cast<const INewsViewInspection*>(view)) {
            for (int mode = 0; mode < kModes; ++mode)
                entries += inspection->InspectList(mode).size();
        }
    }
    const struct mallinfo2 heap = mallinfo2();
    s.Out() << "memory: rss " << residentKilobytes() << " kB, heap "
            << (heap.uordblks + heap.hblkhd) / 1024 << " kB, sqlite "
            << sqlite3_memory_used() / 1024 << " kB, views " << s.Views().size()
            << ", list entries " << entries << '\n';
}

}  // namespace automation::printing

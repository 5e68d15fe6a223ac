// libFuzzer target for opening store files. The input is a mutated store:
// its first byte picks the configuration store or the news store, the next
// four (little-endian) the length of the database file; the rest is its
// write-ahead log, if any. Each store opens the files through its own open.
// Whatever it finds, it must not crash, and when it refuses the files, the
// database, its log and its shared-memory file must be byte for byte as they
// were (a file that was not there is still not there).
#include <signal.h>
#include <unistd.h>

#include <cerrno>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "Clock.h"
#include "HostContext.h"
#include "NewsBackend.h"
#include "SKQCfgIO2.h"

namespace {

namespace fs = std::filesystem;

void check(bool holds) {
    if (!holds)
        std::abort();
}

// In memory: on a disk each run would wait for SQLite's and our own writes.
// The fuzzer ends without running exit handlers, so each run clears what
// runs that are gone left (folders named by their process id).
const fs::path& scratchDir() {
    static const fs::path dir = [] {
        const fs::path root = "/dev/shm";
        const std::string prefix = "store_fuzz_";
        std::error_code ec;
        for (const fs::directory_entry& entry : fs::directory_iterator(root, ec)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(prefix, 0) != 0)
                continue;
            const long pid = std::strtol(name.c_str() + prefix.size(), nullptr, 10);
            if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
                fs::remove_all(entry.path(), ec);
        }
        const fs::path made = root / (prefix + std::to_string(::getpid()));
        fs::create_directories(made, ec);
        check(!ec);
        return made;
    }();
    return dir;
}

std::optional<std::string> readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    check(static_cast<bool>(out));
}

struct Files {
    std::optional<std::string> db, wal, shm;
    friend bool operator==(const Files&, const Files&) = default;
};

Files snapshot(const fs::path& db) {
    return {readFile(db), readFile(db.string() + "-wal"), readFile(db.string() + "-shm")};
}

void clear(const fs::path& db) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        fs::remove(db.string() + suffix);
}

// The news back-end reads the host clock; one context for the whole run.
HostContext& context() {
    static ManualClock clock(1796346000);
    static HostContext host;
    host.SetClock(&clock);
    return host;
}

bool openConfig(const fs::path& db) {
    SKQCfgIO2 store(CString(db.parent_path().string()), CString(db.stem().string()));
    if (!store.IsOpen())
        return false;
    store.Dump();
    return true;
}

bool openNews(const fs::path& db) {
    ScopedHostContext scope(context());
    NewsBackend backend;
    if (!backend.Open(db.string()))
        return false;
    for (const ServiceRow& service : backend.Services()) {
        backend.Categories(service.service);
        backend.HeadlineTable(service.service, NewsBackend::kDayTable,
                              CString::Formatted("%d", service.newsDay));
    }
    backend.Markets();
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 5)
        return 0;
    const bool news = (data[0] & 1) != 0;
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i)
        length |= static_cast<std::uint32_t>(data[1 + i]) << (8 * i);
    const std::string_view rest(reinterpret_cast<const char*>(data) + 5, size - 5);
    const std::string_view dbBytes = rest.substr(0, length);
    const std::string_view walBytes = rest.substr(dbBytes.size());

    const fs::path db = scratchDir() / (news ? "news.kqnews" : "Fuzz.kqcfg");
    clear(db);
    writeFile(db, dbBytes);
    if (!walBytes.empty())
        writeFile(db.string() + "-wal", walBytes);

    const Files before = snapshot(db);
    const bool opened = news ? openNews(db) : openConfig(db);
    if (!opened) {
        const Files after = snapshot(db);
        if (after != before) {
            // Say which file changed before the fuzzer keeps the input.
            std::fprintf(stderr, "refused store changed: database %s, log %s, shared memory %s\n",
                         after.db == before.db ? "same" : "changed",
                         after.wal == before.wal ? "same" : "changed",
                         after.shm == before.shm ? "same" : "changed");
            std::abort();
        }
    }
    clear(db);
    return 0;
}

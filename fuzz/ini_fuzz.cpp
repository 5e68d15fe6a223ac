// libFuzzer target for INI reading (UTF-8, CP950 or UTF-16 bytes, bad bytes,
// NULs). Whatever the bytes, every section and key listed can be looked up,
// without regard to case, values come out as valid UTF-8, and the profile
// reads of the same bytes from a file agree with the parsed values.
#include <unistd.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CodePage.h"
#include "IniFile.h"

namespace {

void check(bool holds) {
    if (!holds)
        std::abort();
}

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// One file for the whole run, rewritten for each input. In memory: on a disk
// each run would wait for the rewrite to be flushed. It is unlinked at once
// and reached through its descriptor, so no run leaves it behind (the fuzzer
// ends without running exit handlers).
int scratchFd() {
    static const int fd = [] {
        char name[] = "/dev/shm/ini_fuzz_XXXXXX";
        const int made = ::mkstemp(name);
        check(made >= 0);
        ::unlink(name);
        return made;
    }();
    return fd;
}

const std::string& scratchFile() {
    static const std::string path = "/proc/self/fd/" + std::to_string(scratchFd());
    return path;
}

void writeScratch(const std::string& bytes) {
    check(::ftruncate(scratchFd(), 0) == 0);
    check(::pwrite(scratchFd(), bytes.data(), bytes.size(), 0) ==
          static_cast<ssize_t>(bytes.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const IniFile ini = IniFile::Parse(bytes);

    writeScratch(bytes);
    const IniFile loaded = IniFile::Load(scratchFile());
    check(loaded.IsLoaded());
    check(loaded.Sections() == ini.Sections());

    std::size_t looked = 0;
    for (const std::string& section : ini.Sections()) {
        check(codepage::IsValidUtf8(section));
        check(loaded.Keys(section) == ini.Keys(section));
        for (const std::string& key : ini.Keys(section)) {
            check(codepage::IsValidUtf8(key));
            const std::optional<std::string> value = ini.Get(section, key);
            check(value.has_value() && codepage::IsValidUtf8(*value));
            check(ini.Get(upper(section), upper(key)) == value);
            check(loaded.Get(section, key) == value);
            ProfileStringToInt(*value);
            // The profile reads go to the file each time: a few are enough.
            if (looked++ < 4 && section.find('\0') == std::string::npos &&
                key.find('\0') == std::string::npos) {
                const CString read = GetPrivateProfileString(section.c_str(), key.c_str(), "\x01",
                                                             scratchFile().c_str());
                check(read.str() == codepage::CutToBytes(*value, kProfileValueLimit));
                GetPrivateProfileInt(section.c_str(), key.c_str(), -7, scratchFile().c_str());
            }
        }
    }
    return 0;
}

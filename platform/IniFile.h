#pragma once
// Reading INI files with the rules of the Windows profile functions that the
// host's site files were written for: sections and keys match without regard
// to case, the first of duplicate keys counts, surrounding blanks and one
// pair of matching quotes around a value are dropped, a missing file or key
// gives the caller's default. Files may be UTF-8, CP950 or UTF-16 with a
// byte-order mark; NUL bytes are ignored (and reported once on stderr).
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CString.h"

class IniFile {
  public:
    IniFile();
    ~IniFile();
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    // Reads a file. A missing or unreadable file gives an empty IniFile whose
    // IsLoaded() is false; it answers every look-up with nothing.
    static IniFile Load(const std::string& path);
    // Parses text already in memory (UTF-8 or CP950 bytes).
    static IniFile Parse(std::string_view bytes);

    bool IsLoaded() const { return m_loaded; }

    // The whole value (UTF-8), or nothing when section or key is absent.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;
    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;

  private:
    // `what` names the text in a report ("INI file <path>").
    static IniFile parse(std::string_view bytes, const std::string& what);
    struct Impl;
    std::unique_ptr<Impl> m_impl;
    bool m_loaded = false;
};

// Room of the value buffer the site files were read into: at most this many
// bytes of a value count (cut on a character boundary).
inline constexpr int kProfileValueLimit = 1023;

// The profile-string read: the value cut to kProfileValueLimit bytes, or the
// default when the file, the section or the key is missing.
CString GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                const char* path);

// The profile-integer read: the leading integer of the value ("2" is 2, "1x"
// is 1, "x" is 0; leading blanks and a sign are allowed; "0x" introduces hex),
// or the default when the key is missing or its value is empty.
int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path);

// The integer rule above, applied to a value already read.
int ProfileStringToInt(std::string_view value);

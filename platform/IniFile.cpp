#include "IniFile.h"

// Plain bytes: the text is decoded (and checked) before it reaches the parser.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>

#include "CodePage.h"

struct IniFile::Impl {
    CSimpleIniA ini{false, true,
                    false};  // case-blind names, duplicate keys kept, no multi-line values
};

IniFile::IniFile() : m_impl(std::make_unique<Impl>()) {}
IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

IniFile IniFile::Load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return IniFile();
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad())
        return IniFile();
    return Parse(bytes.str());
}

IniFile IniFile::Parse(std::string_view bytes) {
    IniFile file;
    const std::string text = codepage::DecodeLegacy(bytes);
    file.m_loaded = file.m_impl->ini.LoadData(text.data(), text.size()) >= 0;
    return file;
}

std::optional<std::string> IniFile::Get(std::string_view section, std::string_view key) const {
    if (!m_loaded)
        return std::nullopt;
    const std::string s(section), k(key);
    const char* value = m_impl->ini.GetValue(s.c_str(), k.c_str(), nullptr);
    if (!value)
        return std::nullopt;
    std::string_view v(value);
    // One pair of matching quotes protects blanks at the edges of a value.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> out;
    CSimpleIniA::TNamesDepend names;
    m_impl->ini.GetAllSections(names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& e : names)
        out.emplace_back(e.pItem);
    return out;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> out;
    CSimpleIniA::TNamesDepend names;
    m_impl->ini.GetAllKeys(std::string(section).c_str(), names);
    names.sort(CSimpleIniA::Entry::LoadOrder());
    for (const auto& e : names)
        out.emplace_back(e.pItem);
    return out;
}

CString GetPrivateProfileString(const char* section, const char* key, const char* defaultValue,
                                const char* path) {
    const CString fallback(defaultValue ? defaultValue : "");
    if (!section || !key || !path)
        return fallback;
    const auto value = IniFile::Load(path).Get(section, key);
    if (!value)
        return CString(codepage::CutToBytes(fallback.str(), kProfileValueLimit));
    return CString(codepage::CutToBytes(*value, kProfileValueLimit));
}

int ProfileStringToInt(std::string_view value) {
    std::size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+')) {
        negative = value[i] == '-';
        ++i;
    }
    unsigned base = 10;
    if (i + 1 < value.size() && value[i] == '0' && (value[i + 1] == 'x' || value[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    std::uint32_t result = 0;  // wraps like the 32-bit original
    for (; i < value.size(); ++i) {
        const char c = value[i];
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (base == 16 && c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (base == 16 && c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            break;
        }
        result = result * base + digit;
    }
    if (negative)
        result = 0u - result;
    return static_cast<int>(result);
}

int GetPrivateProfileInt(const char* section, const char* key, int defaultValue, const char* path) {
    if (!section || !key || !path)
        return defaultValue;
    const auto value = IniFile::Load(path).Get(section, key);
    if (!value || value->empty())
        return defaultValue;
    return ProfileStringToInt(*value);
}

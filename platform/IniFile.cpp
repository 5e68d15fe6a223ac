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
#include "ReportOnce.h"

namespace {

void appendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// UTF-16 text after its byte-order mark, as UTF-8; a unit that is not part of
// a character (a lone surrogate, an odd last byte) becomes U+FFFD.
std::string utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    auto unit = [&](std::size_t i) {
        const auto a = static_cast<unsigned char>(bytes[i]);
        const auto b = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<std::uint32_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
    };
    std::string out;
    std::size_t i = 2;
    for (; i + 1 < bytes.size(); i += 2) {
        const std::uint32_t u = unit(i);
        if (u >= 0xD800 && u < 0xDC00 && i + 3 < bytes.size()) {
            const std::uint32_t low = unit(i + 2);
            if (low >= 0xDC00 && low < 0xE000) {
                appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        appendUtf8(out, u >= 0xD800 && u < 0xE000 ? kReplacement : u);
    }
    if (i < bytes.size())
        appendUtf8(out, kReplacement);
    return out;
}

// The file's bytes as text the parser reads: UTF-16 (with its byte-order
// mark) becomes UTF-8, and NUL bytes, which would end the text for the
// parser and hide every line after them, are dropped and reported.
std::string toParserText(std::string_view bytes, const std::string& what) {
    std::string text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        text = utf16ToUtf8(bytes, false);
    else if (bytes.size() >= 2 && bytes[0] == '\xFE' && bytes[1] == '\xFF')
        text = utf16ToUtf8(bytes, true);
    else
        text = codepage::DecodeLegacy(bytes);
    std::size_t nuls = 0;
    std::string kept;
    kept.reserve(text.size());
    for (const char c : text) {
        if (c == '\0')
            ++nuls;
        else
            kept += c;
    }
    if (nuls > 0)
        ReportOnce(what + ": " + std::to_string(nuls) + " NUL byte(s) ignored");
    return kept;
}

}  // namespace

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
    return parse(bytes.str(), "INI file " + path);
}

IniFile IniFile::Parse(std::string_view bytes) {
    return parse(bytes, "INI text");
}

IniFile IniFile::parse(std::string_view bytes, const std::string& what) {
    IniFile file;
    const std::string text = toParserText(bytes, what);
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

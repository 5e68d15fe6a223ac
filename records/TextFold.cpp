// The folding table is made once per process, on first use: every character
// of the ranges that hold Traditional forms is put through the converter in
// one call, one character a line (a line break is in no phrase, so each line
// is converted as the character alone would be). Characters beyond the Basic
// Multilingual Plane are left as they are.
#include "TextFold.h"

#include <opencc/opencc.h>

#include <algorithm>
#include <cstring>

#include "ReportOnce.h"

namespace {

constexpr char32_t kFullWidthFirst = 0xFF01;
constexpr char32_t kFullWidthLast = 0xFF5E;
constexpr char32_t kIdeographicSpace = 0x3000;

// Where the Traditional forms are: CJK extension A, the unified ideographs
// and the compatibility ideographs.
struct Range {
    char32_t first;
    char32_t last;
};
constexpr Range kHanRanges[] = {{0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xF900, 0xFAFF}};

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The code point of a whole UTF-8 character at text[at], and its length; 0
// length for a byte that starts no whole character (then it stays itself).
// Only shortest forms count: anything else is left as bytes.
struct Decoded {
    char32_t c = 0;
    std::size_t length = 0;
};
Decoded decode(const unsigned char* text, std::size_t at, std::size_t size) {
    const unsigned char lead = text[at];
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = 0;
    char32_t c = 0;
    if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        c = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
        c = lead & 0x07;
    } else {
        return {};
    }
    if (at + length > size)
        return {};
    for (std::size_t i = 1; i < length; ++i) {
        if ((text[at + i] & 0xC0) != 0x80)
            return {};
        c = (c << 6) | (text[at + i] & 0x3F);
    }
    const bool shortest =
        (length == 3 && c >= 0x800) || (length == 4 && c >= 0x10000) || length == 2;
    if (!shortest || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
        return {};
    return {c, length};
}

class FoldTable {
  public:
    FoldTable() : m_map(0x10000) {
        for (std::size_t c = 0; c < m_map.size(); ++c)
            m_map[c] = static_cast<char16_t>(c);
        for (char32_t c = 'A'; c <= 'Z'; ++c)
            m_map[c] = static_cast<char16_t>(c - 'A' + 'a');
        for (char32_t c = kFullWidthFirst; c <= kFullWidthLast; ++c) {
            const char32_t ascii = c - kFullWidthFirst + 0x21;
            m_map[c] = static_cast<char16_t>(ascii);
        }
        for (char32_t c = 'A' + kFullWidthFirst - 0x21; c <= 'Z' + kFullWidthFirst - 0x21; ++c)
            m_map[c] = static_cast<char16_t>(m_map[c] - 'A' + 'a');
        m_map[kIdeographicSpace] = u' ';
        addSimplified();
    }

    char32_t operator()(char32_t c) const {
        return c < m_map.size() ? static_cast<char32_t>(m_map[c]) : c;
    }
    // The folded form of every character of the plane, by code point.
    const char16_t* plane() const { return m_map.data(); }

  private:
    void addSimplified() {
        const opencc_t converter = opencc_open(OPENCC_DEFAULT_CONFIG_TRAD_TO_SIMP);
        if (converter == reinterpret_cast<opencc_t>(-1)) {
            ReportOnce(
                std::string("search: cannot open the Traditional-to-Simplified converter (") +
                opencc_error() + "); Traditional and Simplified forms match only as written");
            return;
        }
        std::string lines;
        for (const Range& range : kHanRanges) {
            for (char32_t c = range.first; c <= range.last; ++c) {
                appendUtf8(lines, c);
                lines += '\n';
            }
        }
        char* converted = opencc_convert_utf8(converter, lines.data(), lines.size());
        if (converted) {
            readLines(converted);
            opencc_convert_utf8_free(converted);
        }
        opencc_close(converter);
        settle();
    }

    // Line n is the converted form of the n-th character of the ranges; one
    // whole character of the plane or the character stays as it is.
    void readLines(const char* converted) {
        const auto* text = reinterpret_cast<const unsigned char*>(converted);
        const std::size_t size = std::strlen(converted);
        std::size_t at = 0;
        for (const Range& range : kHanRanges) {
            for (char32_t c = range.first; c <= range.last; ++c) {
                const auto* end =
                    static_cast<const unsigned char*>(std::memchr(text + at, '\n', size - at));
                if (!end)
                    return;  // cannot happen; what was read stays
                const std::size_t lineEnd = static_cast<std::size_t>(end - text);
                const Decoded one = decode(text, at, size);
                if (one.length != 0 && at + one.length == lineEnd && one.c < m_map.size())
                    m_map[c] = static_cast<char16_t>(one.c);
                at = lineEnd + 1;
            }
        }
    }

    // A converted form that converts again is followed to its end, so that
    // folding a folded text changes nothing (a loop keeps the character).
    void settle() {
        for (std::size_t c = 0; c < m_map.size(); ++c) {
            char16_t to = m_map[c];
            int steps = 0;
            while (m_map[to] != to && steps < 8) {
                to = m_map[to];
                ++steps;
            }
            m_map[c] = m_map[to] == to ? to : static_cast<char16_t>(c);
        }
    }

    std::vector<char16_t> m_map;
};

const FoldTable& table() {
    static const FoldTable made;
    return made;
}

// Folds into out; with origin, notes each folded byte's original offset.
void fold(std::string_view text, std::string& out, std::vector<std::uint32_t>* origin) {
    const FoldTable& map = table();
    out.clear();
    out.reserve(text.size());
    if (origin) {
        origin->clear();
        origin->reserve(text.size() + 1);
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    for (std::size_t at = 0; at < size;) {
        const std::size_t before = out.size();
        const unsigned char lead = bytes[at];
        std::size_t length = 1;
        if (lead < 0x80) {
            out += (lead >= 'A' && lead <= 'Z') ? static_cast<char>(lead - 'A' + 'a')
                                                : static_cast<char>(lead);
        } else {
            const Decoded one = decode(bytes, at, size);
            if (one.length == 0) {
                out += static_cast<char>(lead);
            } else {
                length = one.length;
                const char32_t folded = map(one.c);
                if (folded == one.c)
                    out.append(text.data() + at, length);
                else
                    appendUtf8(out, folded);
            }
        }
        if (origin)
            origin->insert(origin->end(), out.size() - before, static_cast<std::uint32_t>(at));
        at += length;
    }
    if (origin)
        origin->push_back(static_cast<std::uint32_t>(size));
}

// Writes a character of the plane as UTF-8; the end of what it wrote.
char* put(char* to, char32_t c) {
    if (c < 0x80) {
        *to++ = static_cast<char>(c);
    } else if (c < 0x800) {
        *to++ = static_cast<char>(0xC0 | (c >> 6));
        *to++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        *to++ = static_cast<char>(0xE0 | (c >> 12));
        *to++ = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        *to++ = static_cast<char>(0x80 | (c & 0x3F));
    }
    return to;
}

// The same without the map, for the search's every row: ASCII and the
// three-byte characters (CJK, full-width forms) on a short path, straight
// into the buffer. Folding never lengthens a text: ASCII stays one byte, and
// only three-byte characters change otherwise, into at most three bytes
// (the table holds characters of the plane only).
void foldQuickly(std::string_view text, std::string& out) {
    const FoldTable& map = table();
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t size = text.size();
    out.resize(size);
    char* to = out.data();
    std::size_t at = 0;
    while (at < size) {
        const unsigned char lead = bytes[at];
        if (lead < 0x80) {
            *to++ = static_cast<char>((lead >= 'A' && lead <= 'Z') ? lead - 'A' + 'a' : lead);
            ++at;
            continue;
        }
        if (lead >= 0xE0 && lead < 0xF0 && at + 2 < size) {
            // A three-byte character, decoded in place (most of a Chinese text).
            const unsigned char second = bytes[at + 1];
            const unsigned char third = bytes[at + 2];
            const char32_t c = (static_cast<char32_t>(lead & 0x0F) << 12) |
                               (static_cast<char32_t>(second & 0x3F) << 6) | (third & 0x3F);
            if ((second & 0xC0) == 0x80 && (third & 0xC0) == 0x80 && c >= 0x800 &&
                (c < 0xD800 || c > 0xDFFF)) {
                const char32_t folded = map.plane()[c];
                if (folded == c) {
                    to[0] = static_cast<char>(lead);
                    to[1] = static_cast<char>(second);
                    to[2] = static_cast<char>(third);
                    to += 3;
                } else {
                    to = put(to, folded);
                }
                at += 3;
                continue;
            }
        }
        const Decoded one = decode(bytes, at, size);
        if (one.length == 0) {
            *to++ = static_cast<char>(lead);
            ++at;
            continue;
        }
        const char32_t folded = one.length == 3 ? map(one.c) : one.c;
        if (folded == one.c) {
            std::memcpy(to, text.data() + at, one.length);
            to += one.length;
        } else {
            to = put(to, folded);
        }
        at += one.length;
    }
    out.resize(static_cast<std::size_t>(to - out.data()));
}

}  // namespace

char32_t FoldCharacter(char32_t c) {
    return table()(c);
}

std::string FoldText(std::string_view text) {
    std::string out;
    foldQuickly(text, out);
    return out;
}

void FoldTextInto(std::string_view text, std::string& out) {
    foldQuickly(text, out);
}

FoldedText FoldTextMapped(std::string_view text) {
    FoldedText folded;
    fold(text, folded.text, &folded.origin);
    return folded;
}

bool FoldedContains(std::string_view text, std::string_view keyword) {
    if (keyword.empty())
        return false;
    thread_local std::string foldedText;
    thread_local std::string foldedKeyword;
    foldQuickly(keyword, foldedKeyword);
    foldQuickly(text, foldedText);
    return std::string_view(foldedText).find(foldedKeyword) != std::string_view::npos;
}

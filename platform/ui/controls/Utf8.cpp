#include "Utf8.h"

#include <algorithm>

#include "CodePage.h"

namespace utf8 {

int CharCount(std::string_view text) {
    int count = 0;
    while (!text.empty()) {
        text.remove_prefix(static_cast<std::size_t>(codepage::CharLength(text)));
        ++count;
    }
    return count;
}

int ByteOffset(std::string_view text, int position) {
    std::size_t offset = 0;
    for (int i = 0; i < position && offset < text.size(); ++i) {
        offset += static_cast<std::size_t>(codepage::CharLength(text.substr(offset)));
    }
    return static_cast<int>(offset);
}

int Position(std::string_view text, int offset) {
    const auto limit =
        static_cast<std::size_t>(std::clamp(offset, 0, static_cast<int>(text.size())));
    std::size_t at = 0;
    int position = 0;
    while (at < limit) {
        at += static_cast<std::size_t>(codepage::CharLength(text.substr(at)));
        ++position;
    }
    return position;
}

std::vector<char32_t> Decode(std::string_view text) {
    std::vector<char32_t> out;
    while (!text.empty()) {
        const int length = codepage::CharLength(text);
        const auto lead = static_cast<unsigned char>(text[0]);
        char32_t ch = 0xFFFD;
        if (length == 1) {
            if (lead < 0x80)
                ch = lead;
        } else {
            ch = lead & (0xFF >> (length + 1));
            for (int i = 1; i < length; ++i) {
                ch = (ch << 6) |
                     (static_cast<unsigned char>(text[static_cast<std::size_t>(i)]) & 0x3F);
            }
        }
        out.push_back(ch);
        text.remove_prefix(static_cast<std::size_t>(length));
    }
    return out;
}

std::string Encode(char32_t ch) {
    std::string out;
    if (ch < 0x80) {
        out.push_back(static_cast<char>(ch));
    } else if (ch < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (ch >> 6)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch >= 0xD800 && ch <= 0xDFFF) {
        return {};
    } else if (ch < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (ch >> 12)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    } else if (ch <= 0x10FFFF) {
        out.push_back(static_cast<char>(0xF0 | (ch >> 18)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((ch >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (ch & 0x3F)));
    }
    return out;
}

}  // namespace utf8

#include "ConditionText.h"

#include <charconv>
#include <limits>

namespace condition_text {

namespace {

constexpr char kSeparator = '|';
constexpr char kHex[] = "0123456789ABCDEF";

bool inRange(unsigned char c, unsigned char low, unsigned char high) {
    return c >= low && c <= high;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;  // lower-case hex is not the written form
}

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
    if (text.empty())
        return 0;
    const auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (inRange(b0, 0xC2, 0xDF)) {
        length = 2;
    } else if (inRange(b0, 0xE0, 0xEF)) {
        length = 3;
        if (b0 == 0xE0)
            low = 0xA0;  // overlong
        if (b0 == 0xED)
            high = 0x9F;  // surrogates
    } else if (inRange(b0, 0xF0, 0xF4)) {
        length = 4;
        if (b0 == 0xF0)
            low = 0x90;  // overlong
        if (b0 == 0xF4)
            high = 0x8F;  // beyond U+10FFFF
    } else {
        return 0;
    }
    if (text.size() < length)
        return 0;
    if (!inRange(static_cast<unsigned char>(text[1]), low, high))
        return 0;
    for (std::size_t i = 2; i < length; ++i) {
        if (!inRange(static_cast<unsigned char>(text[i]), 0x80, 0xBF))
            return 0;
    }
    return length;
}

FieldWriter& FieldWriter::Text(std::string_view text) {
    m_text += kSeparator;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            if (const std::size_t n = Utf8SequenceLength(text.substr(i))) {
                m_text.append(text.substr(i, n));
                i += n;
                continue;
            }
        }
        switch (c) {
            case '\\':
                m_text += "\\\\";
                break;
            case '|':
                m_text += "\\|";
                break;
            case '\n':
                m_text += "\\n";
                break;
            case '\r':
                m_text += "\\r";
                break;
            case '\t':
                m_text += "\\t";
                break;
            default:
                if (c < 0x20 || c == 0x7F || c >= 0x80) {
                    m_text += "\\x";
                    m_text += kHex[c >> 4];
                    m_text += kHex[c & 0x0F];
                } else {
                    m_text += static_cast<char>(c);
                }
        }
        ++i;
    }
    return *this;
}

FieldWriter& FieldWriter::Number(std::int64_t value) {
    m_text += kSeparator;
    m_text += std::to_string(value);
    return *this;
}

bool FieldReader::Text(std::string& out) {
    if (m_done)
        return false;
    std::string field;
    std::size_t pos = m_pos;
    bool ended = false;
    while (pos < m_text.size()) {
        const char c = m_text[pos];
        if (c == kSeparator) {
            ++pos;
            ended = true;
            break;
        }
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return false;  // control bytes are always escaped
        if (c != '\\') {
            field += c;
            ++pos;
            continue;
        }
        if (pos + 1 >= m_text.size())
            return false;
        const char e = m_text[pos + 1];
        pos += 2;
        switch (e) {
            case '\\':
                field += '\\';
                break;
            case '|':
                field += '|';
                break;
            case 'n':
                field += '\n';
                break;
            case 'r':
                field += '\r';
                break;
            case 't':
                field += '\t';
                break;
            case 'x': {
                if (pos + 2 > m_text.size())
                    return false;
                const int hi = hexValue(m_text[pos]);
                const int lo = hexValue(m_text[pos + 1]);
                if (hi < 0 || lo < 0)
                    return false;
                field += static_cast<char>(hi * 16 + lo);
                pos += 2;
                break;
            }
            default:
                return false;
        }
    }
    m_pos = pos;
    m_done = !ended;
    out = std::move(field);
    return true;
}

bool FieldReader::number(std::int64_t& out) {
    std::string field;
    if (!Text(field) || field.empty())
        return false;
    std::int64_t value = 0;
    const char* end = field.data() + field.size();
    const auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end)
        return false;
    out = value;
    return true;
}

bool FieldReader::Byte(unsigned char& out) {
    std::int64_t value = 0;
    if (!number(value) || value < 0 || value > 255)
        return false;
    out = static_cast<unsigned char>(value);
    return true;
}

bool FieldReader::Int32(std::int32_t& out) {
    std::int64_t value = 0;
    if (!number(value) || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return false;
    out = static_cast<std::int32_t>(value);
    return true;
}

bool FieldReader::Count(std::size_t& out) {
    std::int64_t value = 0;
    if (!number(value) || value < 0)
        return false;
    out = static_cast<std::size_t>(value);
    return true;
}

}  // namespace condition_text

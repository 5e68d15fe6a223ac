#include "CString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

#include "CodePage.h"

namespace {

constexpr std::string_view kBlanks = " \t\r\n\v\f";

std::string vformat(const char* format, va_list args) {
    if (!format)
        return {};
    va_list copy;
    va_copy(copy, args);
    char small[256];
    const int needed = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (needed < 0)
        return {};
    if (static_cast<std::size_t>(needed) < sizeof small)
        return std::string(small, static_cast<std::size_t>(needed));
    std::string out(static_cast<std::size_t>(needed) + 1, '\0');
    std::vsnprintf(out.data(), out.size(), format, args);
    out.resize(static_cast<std::size_t>(needed));
    return out;
}

char asciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}
char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

int sign(int v) {
    return (v > 0) - (v < 0);
}

// Character sets (delimiters, characters to trim) hold whole characters: a
// set holding the ideographic space must not match the last byte of another
// Chinese character, which would cut it in half. A set of ASCII characters
// takes the plain byte search.
bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Length of the character at text[pos] when it belongs to `set`, else 0.
std::size_t memberAt(std::string_view text, std::size_t pos, std::string_view set) {
    const auto n = static_cast<std::size_t>(codepage::CharLength(text.substr(pos)));
    const std::string_view ch = text.substr(pos, n);
    for (std::size_t i = 0; i < set.size();) {
        const auto m = static_cast<std::size_t>(codepage::CharLength(set.substr(i)));
        if (set.substr(i, m) == ch)
            return n;
        i += m;
    }
    return 0;
}

// Position of the first character at or after `from` that is (or, with
// `member` false, is not) in `set`; npos when there is none.
std::size_t findInSet(std::string_view text, std::string_view set, std::size_t from, bool member) {
    if (isAscii(set)) {
        return member ? text.find_first_of(set, from) : text.find_first_not_of(set, from);
    }
    while (from < text.size()) {
        if ((memberAt(text, from, set) != 0) == member)
            return from;
        from += static_cast<std::size_t>(codepage::CharLength(text.substr(from)));
    }
    return std::string_view::npos;
}

// End of the last character that is not in `set` (0 when every one is).
std::size_t endOfLastNotInSet(std::string_view text, std::string_view set) {
    if (isAscii(set)) {
        const auto last = text.find_last_not_of(set);
        return last == std::string_view::npos ? 0 : last + 1;
    }
    std::size_t end = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto n = static_cast<std::size_t>(codepage::CharLength(text.substr(pos)));
        if (memberAt(text, pos, set) == 0)
            end = pos + n;
        pos += n;
    }
    return end;
}

}  // namespace

CString::CString(const char* text, int length) {
    if (text && length > 0)
        m_str.assign(text, static_cast<std::size_t>(length));
}

CString::CString(char ch, int repeat) {
    if (repeat > 0)
        m_str.assign(static_cast<std::size_t>(repeat), ch);
}

void CString::Format(const char* format, ...) {
    va_list args;
    va_start(args, format);
    m_str = vformat(format, args);
    va_end(args);
}

void CString::AppendFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    m_str += vformat(format, args);
    va_end(args);
}

CString CString::Formatted(const char* format, ...) {
    va_list args;
    va_start(args, format);
    CString out(vformat(format, args));
    va_end(args);
    return out;
}

char CString::GetAt(int index) const {
    if (index < 0 || index >= GetLength())
        return '\0';
    return m_str[static_cast<std::size_t>(index)];
}

void CString::SetAt(int index, char ch) {
    if (index >= 0 && index < GetLength())
        m_str[static_cast<std::size_t>(index)] = ch;
}

int CString::Find(char ch, int start) const {
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    const auto pos = m_str.find(ch, static_cast<std::size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(std::string_view sub, int start) const {
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    const auto pos = m_str.find(sub, static_cast<std::size_t>(start));
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(char ch) const {
    const auto pos = m_str.rfind(ch);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(std::string_view charSet) const {
    const auto pos = findInSet(m_str, charSet, 0, true);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int CString::Replace(std::string_view oldText, std::string_view newText) {
    if (oldText.empty())
        return 0;
    int count = 0;
    std::string out;
    std::size_t from = 0;
    for (auto pos = m_str.find(oldText); pos != std::string::npos;
         pos = m_str.find(oldText, from)) {
        out.append(m_str, from, pos - from);
        out.append(newText);
        from = pos + oldText.size();
        ++count;
    }
    if (count == 0)
        return 0;
    out.append(m_str, from, std::string::npos);
    m_str = std::move(out);
    return count;
}

int CString::Replace(char oldCh, char newCh) {
    int count = 0;
    for (char& c : m_str) {
        if (c == oldCh) {
            c = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Remove(char ch) {
    const auto before = m_str.size();
    std::erase(m_str, ch);
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, std::string_view text) {
    index = std::clamp(index, 0, GetLength());
    m_str.insert(static_cast<std::size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count) {
    if (index >= 0 && index < GetLength() && count > 0) {
        m_str.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    }
    return GetLength();
}

CString& CString::Trim() {
    return Trim(kBlanks);
}
CString& CString::TrimLeft() {
    return TrimLeft(kBlanks);
}
CString& CString::TrimRight() {
    return TrimRight(kBlanks);
}

CString& CString::Trim(std::string_view chars) {
    TrimRight(chars);
    return TrimLeft(chars);
}

CString& CString::TrimLeft(std::string_view chars) {
    const auto first = findInSet(m_str, chars, 0, false);
    m_str.erase(0, first == std::string::npos ? m_str.size() : first);
    return *this;
}

CString& CString::TrimRight(std::string_view chars) {
    m_str.erase(endOfLastNotInSet(m_str, chars));
    return *this;
}

CString CString::Left(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(0, static_cast<std::size_t>(count)));
}

CString CString::Right(int count) const {
    count = std::clamp(count, 0, GetLength());
    return CString(m_str.substr(m_str.size() - static_cast<std::size_t>(count)));
}

CString CString::Mid(int first) const {
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const {
    first = std::clamp(first, 0, GetLength());
    count = std::clamp(count, 0, GetLength() - first);
    return CString(m_str.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count)));
}

CString& CString::MakeUpper() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), asciiUpper);
    return *this;
}

CString& CString::MakeLower() {
    std::transform(m_str.begin(), m_str.end(), m_str.begin(), asciiLower);
    return *this;
}

CString CString::Tokenize(std::string_view delimiters, int& start) const {
    if (start < 0 || start >= GetLength()) {
        start = -1;
        return {};
    }
    const auto first = findInSet(m_str, delimiters, static_cast<std::size_t>(start), false);
    if (first == std::string::npos) {
        start = -1;
        return {};
    }
    auto end = findInSet(m_str, delimiters, first, true);
    if (end == std::string::npos)
        end = m_str.size();
    // Past the delimiter that ended the token (which may be several bytes).
    const auto delimiterLength =
        static_cast<std::size_t>(codepage::CharLength(std::string_view(m_str).substr(end)));
    start = static_cast<int>(end + delimiterLength);
    return CString(m_str.substr(first, end - first));
}

int CString::Compare(std::string_view other) const {
    return sign(std::string_view(m_str).compare(other));
}

int CString::CompareNoCase(std::string_view other) const {
    const std::size_t n = std::min(m_str.size(), other.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto a = static_cast<unsigned char>(asciiLower(m_str[i]));
        const auto b = static_cast<unsigned char>(asciiLower(other[i]));
        if (a != b)
            return a < b ? -1 : 1;
    }
    return sign(static_cast<int>(m_str.size()) - static_cast<int>(other.size()));
}

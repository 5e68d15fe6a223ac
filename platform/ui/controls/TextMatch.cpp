#include "TextMatch.h"

#include "CodePage.h"

namespace textmatch {
namespace {
char fold(char ch) {
    return (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
}

bool matchesAt(std::string_view text, std::size_t at, std::string_view what, bool matchCase) {
    if (text.size() - at < what.size())
        return false;
    for (std::size_t i = 0; i < what.size(); ++i) {
        const char a = text[at + i];
        const char b = what[i];
        if (matchCase ? a != b : fold(a) != fold(b))
            return false;
    }
    return true;
}
}  // namespace

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return matchesAt(text, 0, prefix, false);
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && matchesAt(a, 0, b, false);
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(fold(a[i]));
        const auto y = static_cast<unsigned char>(fold(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

int FindBytes(std::string_view text, std::string_view what, int from, bool matchCase) {
    if (what.empty() || from < 0)
        return -1;
    // Walk character starts from the beginning so a match never begins
    // inside a multi-byte character.
    std::size_t at = 0;
    while (at < text.size()) {
        if (static_cast<int>(at) >= from && matchesAt(text, at, what, matchCase)) {
            return static_cast<int>(at);
        }
        at += static_cast<std::size_t>(codepage::CharLength(text.substr(at)));
    }
    return -1;
}

}  // namespace textmatch

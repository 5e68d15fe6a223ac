#include "FeedText.h"

namespace feed::text {

void AppendEscaped(std::string& out, std::string_view value, bool listItem) {
    for (const char c : value) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\0':
                out += "\\0";
                break;
            case kListSeparator:
                out += listItem ? "\\," : ",";
                break;
            default:
                out += c;
        }
    }
}

std::optional<std::string> Unescape(std::string_view field, std::string* reason) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        const char c = field[i];
        if (c != '\\') {
            out += c;
            continue;
        }
        if (i + 1 == field.size()) {
            if (reason)
                *reason = "a field ends in a lone backslash";
            return std::nullopt;
        }
        const char e = field[++i];
        switch (e) {
            case '\\':
                out += '\\';
                break;
            case 't':
                out += '\t';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case '0':
                out += '\0';
                break;
            case kListSeparator:
                out += kListSeparator;
                break;
            default:
                if (reason) {
                    *reason = "unknown escape \\";
                    *reason += e;
                }
                return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find(kFieldSeparator, start);
        if (tab == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, tab - start));
        start = tab + 1;
    }
}

std::vector<std::string_view> SplitList(std::string_view field) {
    std::vector<std::string_view> items;
    if (field.empty())
        return items;
    std::size_t start = 0;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\') {
            ++i;  // the escaped character is never a separator
        } else if (field[i] == kListSeparator) {
            items.push_back(field.substr(start, i - start));
            start = i + 1;
        }
    }
    items.push_back(field.substr(start));
    return items;
}

std::optional<std::uint64_t> ParseUnsigned(std::string_view field, std::uint64_t max) {
    if (field.empty() || field.size() > 20)
        return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : field) {
        if (c < '0' || c > '9')
            return std::nullopt;
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (value > (max - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

std::optional<std::int64_t> ParseSigned(std::string_view field, std::int64_t min,
                                        std::int64_t max) {
    const bool negative = !field.empty() && field.front() == '-';
    if ((negative && min >= 0) || (!negative && max < 0))
        return std::nullopt;
    if (negative)
        field.remove_prefix(1);
    // Magnitudes up to |min| fit an unsigned 64-bit number.
    const std::uint64_t limit =
        negative ? static_cast<std::uint64_t>(-(min + 1)) + 1 : static_cast<std::uint64_t>(max);
    const auto magnitude = ParseUnsigned(field, limit);
    if (!magnitude)
        return std::nullopt;
    if (!negative)
        return static_cast<std::int64_t>(*magnitude);
    if (*magnitude == 0)
        return 0;
    return -static_cast<std::int64_t>(*magnitude - 1) - 1;
}

}  // namespace feed::text

#pragma once
// The text layer of feed files: fields separated by tabs, escapes for the
// characters that would break a line or a field, and strict numbers.
//
// Escapes: "\\" backslash, "\t" tab, "\n" line feed, "\r" carriage return,
// "\0" NUL, "\," comma (written only inside list items, read anywhere).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "CString.h"

namespace feed::text {

inline constexpr char kFieldSeparator = '\t';
inline constexpr char kListSeparator = ',';

// Appends `value` to `out` with every special character escaped; a list item
// also escapes the list separator.
void AppendEscaped(std::string& out, std::string_view value, bool listItem = false);

// The text of an escaped field; nullopt and the reason for a bad escape.
std::optional<std::string> Unescape(std::string_view field, std::string* reason);

// Splits a line at the field separator (escapes keep separators out of
// fields, so a plain split is exact).
std::vector<std::string_view> SplitFields(std::string_view line);

// Splits a list field at separators that are not escaped; an empty field is
// an empty list. Items are still escaped.
std::vector<std::string_view> SplitList(std::string_view field);

// Decimal numbers: an optional '-' (signed only), then digits, nothing else.
std::optional<std::int64_t> ParseSigned(std::string_view field, std::int64_t min, std::int64_t max);
std::optional<std::uint64_t> ParseUnsigned(std::string_view field, std::uint64_t max);

}  // namespace feed::text

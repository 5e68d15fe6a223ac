#pragma once
// Code pages and display widths. Text inside the system is UTF-8; files from
// the Windows world may be CP950 (Big5). Widths that were once counted in Big5
// bytes are counted in columns: ASCII is 1 column, every other character 2
// (every non-ASCII Big5 character is two bytes, so the cuts agree).
#include <optional>
#include <string>
#include <string_view>

namespace codepage {

bool IsValidUtf8(std::string_view text);

// CP950 to UTF-8. Bytes that are not valid CP950 become U+FFFD, one per bad
// byte, so nothing around them is lost.
std::string Cp950ToUtf8(std::string_view text);

// UTF-8 to CP950. Characters CP950 cannot hold become '?'; nullopt when the
// input is not valid UTF-8.
std::optional<std::string> Utf8ToCp950(std::string_view text);

// UTF-8 to CP950 without loss: nullopt when the text is not valid UTF-8 or
// holds a character CP950 cannot hold; `missing` then gets the first such
// character (empty for invalid UTF-8).
std::optional<std::string> Utf8ToCp950Exact(std::string_view text, std::string* missing = nullptr);

// Bytes read from a file of the Windows world: UTF-8 (a byte-order mark is
// dropped) when valid, else taken as CP950.
std::string DecodeLegacy(std::string_view bytes);

// Columns of a text. A byte that is not part of a valid UTF-8 sequence counts
// as one column.
int DisplayWidth(std::string_view text);

// The longest prefix of at most `columns` columns that does not split a
// character.
std::string_view CutToWidth(std::string_view text, int columns);

// Length in bytes of the character starting at text[0] (1 for a bad byte, 0
// for an empty text).
int CharLength(std::string_view text);

// The longest prefix of at most `bytes` bytes that does not split a character.
std::string_view CutToBytes(std::string_view text, int bytes);

}  // namespace codepage

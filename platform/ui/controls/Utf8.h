#pragma once
// Characters of UTF-8 text, as edit controls count them: a position is a
// number of characters (Unicode code points) from the start, so a Chinese
// character is one position however many bytes it takes. A byte that is not
// part of a valid sequence counts as one character of its own.
#include <string>
#include <string_view>
#include <vector>

namespace utf8 {

// Number of characters.
int CharCount(std::string_view text);
// Byte offset of character `position`, clamped to [0, size].
int ByteOffset(std::string_view text, int position);
// Characters before byte offset `offset` (clamped); an offset inside a
// character counts that character as before it.
int Position(std::string_view text, int offset);

// Code points of a text; a bad byte becomes U+FFFD.
std::vector<char32_t> Decode(std::string_view text);
// UTF-8 of one code point; empty for a surrogate or a value past U+10FFFF.
std::string Encode(char32_t ch);

}  // namespace utf8

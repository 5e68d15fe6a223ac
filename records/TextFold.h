#pragma once
// The folding that search matching works on: a keyword matches a text when
// its folded form is in the text's folded form. Character by character, one
// character in and one out, so that the text index's character pairs and a
// plain scan agree:
//   - Traditional Chinese characters become their Simplified form (the
//     converter's Traditional-to-Simplified table, one character at a time;
//     never its phrase conversion, which changes lengths);
//   - full-width ASCII forms (U+FF01..U+FF5E) become ASCII, the ideographic
//     space (U+3000) a space;
//   - Latin letters A-Z become a-z.
// Anything else (and any byte that is not part of a whole UTF-8 character)
// stays as it is. Folding a folded text changes nothing. Safe to call from
// any thread.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The folded form of one character (a Unicode code point).
char32_t FoldCharacter(char32_t c);

// The folded text.
std::string FoldText(std::string_view text);
// The same into a caller's buffer (replaced), for callers that fold many texts.
void FoldTextInto(std::string_view text, std::string& out);

// A folded text with the way back: origin[i] is the byte offset in the
// original text of the character that folded byte i comes from, and
// origin[text.size()] is the original's size. A folded character starts
// where origin changes.
struct FoldedText {
    std::string text;
    std::vector<std::uint32_t> origin;
};
FoldedText FoldTextMapped(std::string_view text);

// Whether `keyword` matches somewhere in `text` by the folding rules (an
// empty keyword matches nothing). Line breaks are compared as they are.
bool FoldedContains(std::string_view text, std::string_view keyword);

#pragma once
// How controls compare item texts: without regard to case for ASCII letters
// only, byte for byte otherwise, so Chinese text matches exactly and a prefix
// made of whole characters never matches half a character.
#include <string_view>

namespace textmatch {

bool StartsWithNoCase(std::string_view text, std::string_view prefix);
bool EqualsNoCase(std::string_view a, std::string_view b);
// <0, 0, >0 with ASCII letters folded; the order sorted lists keep.
int CompareNoCase(std::string_view a, std::string_view b);

// Byte offset of the first occurrence of `what` in `text` at or after byte
// `from` that starts on a character boundary, or -1. An empty `what` is
// never found.
int FindBytes(std::string_view text, std::string_view what, int from, bool matchCase);

}  // namespace textmatch

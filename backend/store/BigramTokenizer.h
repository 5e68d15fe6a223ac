#pragma once
// The tokenizer of the store's text index: overlapping pairs of characters
// of the folded text (TextFold.h: the search's matching rules), so that any
// keyword of two or more characters is a phrase of its pairs and a
// one-character keyword a prefix. Line breaks (CR, LF) are dropped first, as
// a story is searched as it reads. Token offsets are of the folded text.
#include <sqlite3.h>

#include <cstddef>
#include <string_view>

namespace news_store {

inline constexpr const char* kBigramTokenizer = "kq_bigram";

// Registers the tokenizer on a connection; false when SQLite has no FTS5.
bool RegisterBigramTokenizer(sqlite3* db);

// True when every character of the text is whole (ASCII or a complete UTF-8
// sequence) and it holds no line break or NUL: only then does a match in the
// bytes of a text fall on the tokenizer's character boundaries.
bool IsWholeText(std::string_view text);

}  // namespace news_store

// Character pairs for the text index. A "character" is a UTF-8 sequence as
// its lead byte announces, when the continuation bytes are all there, and
// otherwise the single byte: a stray byte stays itself, so any text can be
// indexed, and a whole keyword's match always starts on a boundary.
#include "BigramTokenizer.h"

#include <cstring>
#include <string>

#include "TextFold.h"

namespace news_store {

namespace {

// Length of the character starting at text[at].
std::size_t characterLength(const unsigned char* text, std::size_t at, std::size_t size) {
    const unsigned char lead = text[at];
    std::size_t length = 1;
    if (lead >= 0xC0 && lead < 0xE0)
        length = 2;
    else if (lead >= 0xE0 && lead < 0xF0)
        length = 3;
    else if (lead >= 0xF0 && lead < 0xF8)
        length = 4;
    if (length == 1 || at + length > size)
        return 1;
    for (std::size_t i = 1; i < length; ++i) {
        if ((text[at + i] & 0xC0) != 0x80)
            return 1;
    }
    return length;
}

struct Tokenizer {};

int create(void*, const char**, int, Fts5Tokenizer** out) {
    static Tokenizer only;
    *out = reinterpret_cast<Fts5Tokenizer*>(&only);
    return SQLITE_OK;
}

void destroy(Fts5Tokenizer*) {}

using TokenCallback = int (*)(void*, int, const char*, int, int, int);

int tokenize(Fts5Tokenizer*, void* context, int flags, const char* input, int inputSize,
             TokenCallback token) {
    if (!input || inputSize <= 0)
        return SQLITE_OK;
    // The text without its line breaks, in a buffer reused per thread. FTS5
    // keeps terms as C strings in places, so a NUL becomes 0xFF: a byte no
    // whole keyword holds either, which keeps every keyword's pairs apart
    // from it.
    // The pairs are of the folded text (the search's matching rules), folded
    // after the join, as a character broken by a line break is whole again.
    thread_local std::string joined;
    thread_local std::string folded;
    joined.clear();
    joined.reserve(static_cast<std::size_t>(inputSize));
    for (int i = 0; i < inputSize; ++i) {
        const auto byte = static_cast<unsigned char>(input[i]);
        if (byte != '\r' && byte != '\n')
            joined.push_back(static_cast<char>(byte == 0 ? 0xFF : byte));
    }
    FoldTextInto(joined, folded);
    const auto* text = reinterpret_cast<const unsigned char*>(folded.data());
    const std::size_t size = folded.size();
    // A keyword's last character starts no pair of its own; a text's does
    // (alone), so that a one-character keyword finds it as a prefix.
    const bool query = (flags & FTS5_TOKENIZE_QUERY) != 0;
    std::size_t at = 0;
    while (at < size) {
        const std::size_t first = characterLength(text, at, size);
        const std::size_t next = at + first;
        const bool last = next >= size;
        if (last && query && at > 0)
            break;
        const std::size_t end = last ? next : next + characterLength(text, next, size);
        const int rc =
            token(context, 0, reinterpret_cast<const char*>(text + at), static_cast<int>(end - at),
                  static_cast<int>(at), static_cast<int>(end));
        if (rc != SQLITE_OK)
            return rc;
        at = next;
    }
    return SQLITE_OK;
}

fts5_api* ftsOf(sqlite3* db) {
    fts5_api* api = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &st, nullptr) != SQLITE_OK)
        return nullptr;
    sqlite3_bind_pointer(st, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
    sqlite3_step(st);
    sqlite3_finalize(st);
    return api;
}

}  // namespace

bool RegisterBigramTokenizer(sqlite3* db) {
    fts5_api* api = ftsOf(db);
    if (!api)
        return false;
    fts5_tokenizer methods{create, destroy, tokenize};
    return api->xCreateTokenizer(api, kBigramTokenizer, nullptr, &methods, nullptr) == SQLITE_OK;
}

bool IsWholeText(std::string_view text) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
    for (std::size_t at = 0; at < text.size();) {
        const unsigned char byte = bytes[at];
        const std::size_t length = characterLength(bytes, at, text.size());
        if (length == 1 && (byte >= 0x80 || byte == '\r' || byte == '\n' || byte == 0))
            return false;
        at += length;
    }
    return true;
}

}  // namespace news_store

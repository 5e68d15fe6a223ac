#pragma once
// The layout of a news store file (see docs/backend.md for the tables).
#include <cstdint>

namespace news_store {

// "KQNS": tells a news store from any other SQLite file.
inline constexpr std::int64_t kApplicationId = 0x4B514E53;
// The layout this program writes. Format 1 (the same tables without the text
// index) and format 2 (its index paired unfolded text) are brought up to it
// when opened.
inline constexpr std::int64_t kSchemaVersion = 3;
inline constexpr std::int64_t kOldestMigratedVersion = 1;

// Creates every table and index of the current layout.
extern const char* const kCreateSchema;
// The count of changes to the symbol table (format 3; made by kCreateSchema
// and when a store of an older format is brought up to it; what is there
// already is kept): a searching connection reads the symbols again only when
// it moved.
extern const char* const kCreateSymbolChange;
// The tables a sound store of the current layout holds.
extern const char* const kTables[];
extern const int kTableCount;

}  // namespace news_store

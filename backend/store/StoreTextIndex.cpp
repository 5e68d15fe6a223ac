#include "StoreTextIndex.h"

#include <algorithm>

#include "BigramTokenizer.h"

namespace news_store {

namespace {

// The view is what the index holds for a headline: its title and story.
//
// FTS5 writes what it has gathered at every savepoint, and a bulk load makes
// one per headline: kept up to date row by row, the index would get a tiny
// segment per headline and merge them over and over. So the triggers only
// note which headlines changed, with the text the index holds for them (the
// first note of a headline wins: that is what the index still has), and the
// store brings the index up to date from the notes once per transaction,
// just before it commits (kFlushTextIndex). A headline's note is made before
// its story's cascaded delete, which then finds no headline. A story's
// headline and a headline's id never change.
const char* const kCreateTextIndex = R"sql(
CREATE VIEW headline_text_source AS
    SELECT h.id AS id, h.title AS title, s.text AS story
    FROM headline h LEFT JOIN story s ON s.headline = h.id;
CREATE VIRTUAL TABLE headline_text USING fts5(
    title, story, content = 'headline_text_source', content_rowid = 'id',
    tokenize = 'kq_bigram', columnsize = 0);
CREATE TABLE headline_text_pending(
    id      INTEGER PRIMARY KEY,
    indexed INTEGER NOT NULL,
    title   TEXT,
    story   TEXT);
CREATE TRIGGER headline_text_insert AFTER INSERT ON headline BEGIN
    INSERT INTO headline_text_pending(id, indexed) SELECT new.id, 0
        WHERE NOT EXISTS (SELECT 1 FROM headline_text_pending WHERE id = new.id);
END;
CREATE TRIGGER headline_text_update AFTER UPDATE OF title ON headline
    WHEN old.title IS NOT new.title BEGIN
    INSERT INTO headline_text_pending
        SELECT old.id, 1, old.title, (SELECT text FROM story WHERE headline = old.id)
        WHERE NOT EXISTS (SELECT 1 FROM headline_text_pending WHERE id = old.id);
END;
CREATE TRIGGER headline_text_delete BEFORE DELETE ON headline BEGIN
    INSERT INTO headline_text_pending
        SELECT old.id, 1, old.title, (SELECT text FROM story WHERE headline = old.id)
        WHERE NOT EXISTS (SELECT 1 FROM headline_text_pending WHERE id = old.id);
END;
CREATE TRIGGER story_text_insert AFTER INSERT ON story BEGIN
    INSERT INTO headline_text_pending
        SELECT id, 1, title, NULL FROM headline WHERE id = new.headline
        AND NOT EXISTS (SELECT 1 FROM headline_text_pending WHERE id = new.headline);
END;
CREATE TRIGGER story_text_update AFTER UPDATE OF text ON story
    WHEN old.text IS NOT new.text BEGIN
    INSERT INTO headline_text_pending
        SELECT id, 1, title, old.text FROM headline WHERE id = old.headline
        AND NOT EXISTS (SELECT 1 FROM headline_text_pending WHERE id = old.headline);
END;
CREATE TRIGGER story_text_delete AFTER DELETE ON story BEGIN
    INSERT INTO headline_text_pending
        SELECT id, 1, title, old.text FROM headline WHERE id = old.headline
        AND NOT EXISTS (SELECT 1 FROM headline_text_pending WHERE id = old.headline);
END;
INSERT INTO headline_text(headline_text) VALUES('rebuild');
)sql";

// A keyword as an FTS5 string: its pairs as a phrase, or a prefix when it
// is a single character.
std::string phrase(const std::string& keyword) {
    std::string out = "\"";
    std::size_t characters = 0;
    for (const char c : keyword) {
        if (c == '"')
            out += '"';
        out += c;
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++characters;
    }
    out += '"';
    if (characters == 1)
        out += '*';
    return out;
}

}  // namespace

bool PrepareTextIndex(const sqlite::Database& db) {
    return db.IsOpen() && RegisterBigramTokenizer(db.handle());
}

bool HasTextIndex(const sqlite::Database& db) {
    sqlite::Statement st(db, "SELECT count(*) FROM sqlite_schema WHERE name = ?1");
    st.Bind(1, kTextIndexTable);
    return st.Step() && st.ColumnInt(0) == 1;
}

bool MakeTextIndex(const sqlite::Database& db) {
    return PrepareTextIndex(db) && db.Exec(kCreateTextIndex);
}

bool RebuildTextIndex(const sqlite::Database& db) {
    // Nothing is noted between transactions; the rebuild reads every headline.
    return PrepareTextIndex(db) && db.Exec("DELETE FROM headline_text_pending") &&
           db.Exec("INSERT INTO headline_text(headline_text) VALUES('rebuild')");
}

const char* const kFlushTextIndex[] = {
    // What the index holds for the noted headlines goes ...
    "INSERT INTO headline_text(headline_text, rowid, title, story) "
    "SELECT 'delete', id, title, story FROM headline_text_pending WHERE indexed",
    // ... and what they hold now comes in (nothing for one removed).
    "INSERT INTO headline_text(rowid, title, story) "
    "SELECT h.id, h.title, s.text FROM headline_text_pending p JOIN headline h ON h.id = p.id "
    "LEFT JOIN story s ON s.headline = h.id",
    "DELETE FROM headline_text_pending",
};
const int kFlushTextIndexSteps = 3;

std::optional<TextMatch> TextIndexMatch(const SearchQuery& query,
                                        const std::vector<KeywordTerms>& terms) {
    const char* column = "";
    if (query.scope == SearchQuery::Scope::Title)
        column = "title : ";
    else if (query.scope == SearchQuery::Scope::Story)
        column = "story : ";
    TextMatch match;
    for (const KeywordTerms& keyword : terms) {
        const bool lookedUp =
            !keyword.texts.empty() &&
            std::all_of(keyword.texts.begin(), keyword.texts.end(),
                        [](const std::string& text) { return !text.empty() && IsWholeText(text); });
        if (!lookedUp) {
            // AND: the other keywords still narrow it; OR: any row may match.
            if (query.any)
                return std::nullopt;
            match.exact = false;
            continue;
        }
        for (const std::string& symbol : keyword.symbols) {
            if (std::find(match.symbols.begin(), match.symbols.end(), symbol) ==
                match.symbols.end())
                match.symbols.push_back(symbol);
        }
        if (!match.expression.empty())
            match.expression += query.any ? " OR " : " AND ";
        // The texts are folded already; the tokenizer folds them again, which
        // changes nothing.
        match.expression += "(" + std::string(column) + "(";
        for (std::size_t i = 0; i < keyword.texts.size(); ++i)
            match.expression += (i ? " OR " : "") + phrase(keyword.texts[i]);
        match.expression += "))";
    }
    if (match.expression.empty())
        return std::nullopt;
    if (!match.symbols.empty())
        match.exact = false;
    return match;
}

}  // namespace news_store

#include "StoreTextIndex.h"

#include "BigramTokenizer.h"

namespace news_store {

namespace {

// The view is what the index holds for a headline: its title and story. The
// triggers remove a row's old tokens (which FTS5 must be told exactly) and
// add the new ones on every change of a title or a story (a story's headline
// and a headline's id never change). A headline's row goes before its
// story's cascaded delete, which then finds no headline.
const char* const kCreateTextIndex = R"sql(
CREATE VIEW headline_text_source AS
    SELECT h.id AS id, h.title AS title, s.text AS story
    FROM headline h LEFT JOIN story s ON s.headline = h.id;
CREATE VIRTUAL TABLE headline_text USING fts5(
    title, story, content = 'headline_text_source', content_rowid = 'id',
    tokenize = 'kq_bigram', columnsize = 0);
CREATE TRIGGER headline_text_insert AFTER INSERT ON headline BEGIN
    INSERT INTO headline_text(rowid, title, story)
        VALUES(new.id, new.title, (SELECT text FROM story WHERE headline = new.id));
END;
CREATE TRIGGER headline_text_update AFTER UPDATE OF title ON headline
    WHEN old.title IS NOT new.title BEGIN
    INSERT INTO headline_text(headline_text, rowid, title, story)
        VALUES('delete', old.id, old.title, (SELECT text FROM story WHERE headline = old.id));
    INSERT INTO headline_text(rowid, title, story)
        VALUES(new.id, new.title, (SELECT text FROM story WHERE headline = new.id));
END;
CREATE TRIGGER headline_text_delete BEFORE DELETE ON headline BEGIN
    INSERT INTO headline_text(headline_text, rowid, title, story)
        VALUES('delete', old.id, old.title, (SELECT text FROM story WHERE headline = old.id));
END;
CREATE TRIGGER story_text_insert AFTER INSERT ON story BEGIN
    INSERT INTO headline_text(headline_text, rowid, title, story)
        SELECT 'delete', id, title, NULL FROM headline WHERE id = new.headline;
    INSERT INTO headline_text(rowid, title, story)
        SELECT id, title, new.text FROM headline WHERE id = new.headline;
END;
CREATE TRIGGER story_text_update AFTER UPDATE OF text ON story
    WHEN old.text IS NOT new.text BEGIN
    INSERT INTO headline_text(headline_text, rowid, title, story)
        SELECT 'delete', id, title, old.text FROM headline WHERE id = old.headline;
    INSERT INTO headline_text(rowid, title, story)
        SELECT id, title, new.text FROM headline WHERE id = new.headline;
END;
CREATE TRIGGER story_text_delete AFTER DELETE ON story BEGIN
    INSERT INTO headline_text(headline_text, rowid, title, story)
        SELECT 'delete', id, title, old.text FROM headline WHERE id = old.headline;
    INSERT INTO headline_text(rowid, title, story)
        SELECT id, title, NULL FROM headline WHERE id = old.headline;
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

std::optional<TextMatch> TextIndexMatch(const SearchQuery& query) {
    const char* column = "";
    if (query.scope == SearchQuery::Scope::Title)
        column = "title : ";
    else if (query.scope == SearchQuery::Scope::Story)
        column = "story : ";
    TextMatch match;
    for (const CString& keyword : query.keywords) {
        if (!IsWholeText(keyword.str()) || keyword.IsEmpty()) {
            // AND: the other keywords still narrow it; OR: any row may match.
            if (query.any)
                return std::nullopt;
            match.exact = false;
            continue;
        }
        if (!match.expression.empty())
            match.expression += query.any ? " OR " : " AND ";
        match.expression += "(" + std::string(column) + phrase(keyword.str()) + ")";
    }
    if (match.expression.empty())
        return std::nullopt;
    return match;
}

}  // namespace news_store

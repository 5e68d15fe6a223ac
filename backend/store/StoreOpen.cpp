#include "NewsStore.h"
#include "ReportOnce.h"
#include "StoreSchema.h"
#include "StoreTextIndex.h"

namespace {

constexpr const char* kLeftAsIs = "; the file is left as it is";

// quick_check reports one problem a line under a heading; a person needs the first.
std::string firstProblem(const std::string& report) {
    std::size_t start = 0;
    while (start < report.size()) {
        std::size_t end = report.find('\n', start);
        if (end == std::string::npos)
            end = report.size();
        const std::string line = report.substr(start, end - start);
        if (!line.empty() && line.rfind("***", 0) != 0)
            return end < report.size() ? line + " ..." : line;
        start = end + 1;
    }
    return report;
}

// A store of the current layout holds every table.
std::string missingTable(const sqlite::Database& db) {
    for (int i = 0; i < news_store::kTableCount; ++i) {
        sqlite::Statement table(db,
                                "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND "
                                "name = ?1");
        table.Bind(1, news_store::kTables[i]);
        if (!table.Step())
            return db.LastError();
        if (table.ColumnInt(0) != 1)
            return std::string("table ") + news_store::kTables[i] + " is missing";
    }
    return {};
}

sqlite::FileFormat fileFormat(const NewsStore::OpenOptions& options) {
    sqlite::FileFormat format;
    format.applicationId = news_store::kApplicationId;
    format.version = news_store::kSchemaVersion;
    const bool index = options.textIndex;
    format.createSchema = [index](const sqlite::Database& db) {
        return db.Exec(news_store::kCreateSchema) && db.Exec(news_store::kCreateSymbolChange) &&
               (!index || news_store::MakeTextIndex(db));
    };
    // Format 2 added the text index, made from what format 1 holds; format 3
    // pairs folded text, so a format 2 index is filled anew (whether or not
    // this opening uses it: the index's writes go on either way). One step
    // does both, so a format 1 store's index is filled once.
    // Format 3 also counts the symbol table's changes.
    format.migrate = [index](const sqlite::Database& db, std::int64_t from) {
        if (from < 2)
            return true;
        if (!db.Exec(news_store::kCreateSymbolChange))
            return false;
        if (news_store::HasTextIndex(db))
            return news_store::RebuildTextIndex(db);
        return !index || news_store::MakeTextIndex(db);
    };
    format.oldestMigrated = news_store::kOldestMigratedVersion;
    format.checkLayout = missingTable;
    format.createMissing = options.create;
    format.quickCheck = options.verify;
    return format;
}

// The reason a file was refused, in the news store's words.
std::string refusalText(const sqlite::OpenOutcome& outcome, bool inMemory) {
    using sqlite::OpenRefusal;
    const std::string why = " (" + outcome.detail + ")" + kLeftAsIs;
    switch (outcome.refusal) {
        case OpenRefusal::None:
            return {};
        case OpenRefusal::NoSuchFile:
            return "there is no such file";
        case OpenRefusal::CannotMakeFolder:
            return "cannot make folder " + outcome.detail;
        case OpenRefusal::Folder:
            return "that is a folder, not a file";
        case OpenRefusal::CannotOpen:
            return inMemory ? "cannot make a store in memory" : "cannot open: " + outcome.detail;
        case OpenRefusal::InUse:
            return "the store is in use by another program" + why;
        case OpenRefusal::NotADatabase:
            return "not a news store" + why;
        case OpenRefusal::Unreadable:
            return "cannot read the file" + why;
        case OpenRefusal::Damaged:
            return "the store is damaged (" + firstProblem(outcome.detail) + ")" + kLeftAsIs;
        case OpenRefusal::Foreign:
            return std::string("not a news store (another application's database)") + kLeftAsIs;
        case OpenRefusal::Newer:
            return "written by a newer version of the program (format " +
                   std::to_string(outcome.foundVersion) + ", this program reads up to format " +
                   std::to_string(news_store::kSchemaVersion) + ")" + kLeftAsIs;
        case OpenRefusal::Older:
            return "format " + std::to_string(outcome.foundVersion) +
                   " is older than any this program can read (formats " +
                   std::to_string(news_store::kOldestMigratedVersion) + " to " +
                   std::to_string(news_store::kSchemaVersion) + ")" + kLeftAsIs;
        case OpenRefusal::CannotCreate:
            return "cannot make a new store: " + outcome.detail;
    }
    return "cannot open";
}

}  // namespace

NewsStore::~NewsStore() {
    Close();
}

bool NewsStore::fail(const std::string& message) {
    m_error = "news store " + m_path + ": " + message;
    ReportOnce(m_error);
    return false;
}

bool NewsStore::failQuery() {
    // A closed store keeps the reason it did not open.
    if (!m_db.IsOpen())
        return false;
    return fail(m_db.LastError());
}

void NewsStore::Close() {
    // A bulk load cut short keeps what it had loaded.
    if (m_batch && !(flushTextIndex() && m_db.Exec("COMMIT")))
        m_db.Exec("ROLLBACK");
    m_batch = false;
    m_searchMemo = SearchMemo();
    m_symbolFolds = SymbolFolds();
    m_statements.Attach(nullptr);
    m_db.Close();
}

bool NewsStore::Open(const std::string& path, const OpenOptions& options) {
    Close();
    m_path = path;
    m_error.clear();
    if (path.empty())
        return fail("no file name given");
    const sqlite::OpenOutcome outcome = sqlite::OpenVersioned(m_db, path, fileFormat(options));
    if (!outcome.ok())
        return fail(refusalText(outcome, path == ":memory:"));
    configure(path != ":memory:", options.textIndex);
    m_statements.Attach(&m_db);
    return true;
}

bool NewsStore::OpenReader(const std::string& path, bool textIndex) {
    Close();
    m_path = path;
    m_error.clear();
    if (!m_db.OpenReadOnly(path, false)) {
        m_error = "news store " + path + ": cannot open a second connection: " + m_db.LastError();
        m_db.Close();
        return false;
    }
    m_db.Exec("PRAGMA cache_size = -32768");
    registerSearchFunctions();
    // The writer keeps the index; this connection only needs the tokenizer
    // to read it, and uses it when the file has one.
    m_textIndex = false;
    m_keepsTextIndex = false;
    // An index of an older format pairs other text than the search's, and
    // this connection cannot fill it anew: its searches scan.
    if (textIndex && news_store::PrepareTextIndex(m_db))
        m_textIndex = news_store::HasTextIndex(m_db) &&
                      m_db.QueryInt("PRAGMA user_version") == news_store::kSchemaVersion;
    m_statements.Attach(&m_db);
    return true;
}

void NewsStore::configure(bool file, bool textIndex) {
    if (file) {
        // WAL with NORMAL sync: a crash loses at most the last commits, never
        // the file; the news can always be fetched again.
        m_db.Exec("PRAGMA journal_mode = WAL");
        m_db.Exec("PRAGMA synchronous = NORMAL");
    }
    m_db.Exec("PRAGMA foreign_keys = ON");
    m_db.Exec("PRAGMA cache_size = -32768");
    registerSearchFunctions();
    prepareTextIndex(textIndex);
}

void NewsStore::prepareTextIndex(bool use) {
    // The index is derived data: a store without it (its table dropped) gets
    // it again, filled from the headlines; until then searches scan. Its
    // tokenizer is needed by every write once the index is there.
    m_textIndex = false;
    m_keepsTextIndex = false;
    if (!news_store::PrepareTextIndex(m_db))
        return;
    m_keepsTextIndex = news_store::HasTextIndex(m_db);
    if (!use)
        return;
    if (!m_keepsTextIndex) {
        sqlite::Transaction tx(m_db);
        if (!tx.ok() || !news_store::MakeTextIndex(m_db) || !tx.Commit())
            return;
        m_keepsTextIndex = true;
    }
    m_textIndex = true;
}

bool NewsStore::flushTextIndex() {
    if (!m_keepsTextIndex)
        return true;
    for (int i = 0; i < news_store::kFlushTextIndexSteps; ++i) {
        auto st = m_statements.Use(news_store::kFlushTextIndex[i]);
        if (!st.ok() || !st->Run())
            return false;
    }
    return true;
}

bool NewsStore::BeginBatch() {
    if (!IsOpen())
        return false;
    if (m_batch)
        return true;
    if (!m_db.Exec("BEGIN IMMEDIATE"))
        return failQuery();
    m_batch = true;
    return true;
}

bool NewsStore::CommitBatch() {
    if (!m_batch)
        return false;
    m_batch = false;
    if (flushTextIndex() && m_db.Exec("COMMIT"))
        return true;
    failQuery();
    m_db.Exec("ROLLBACK");
    return false;
}

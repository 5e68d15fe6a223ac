#include <sqlite3.h>

#include <filesystem>

#include "NewsStore.h"
#include "ReportOnce.h"
#include "StoreSchema.h"

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
    if (m_batch && !m_db.Exec("COMMIT"))
        m_db.Exec("ROLLBACK");
    m_batch = false;
    m_statements.Attach(nullptr);
    m_db.Close();
}

bool NewsStore::Open(const std::string& path, const OpenOptions& options) {
    Close();
    m_path = path;
    m_error.clear();
    if (path.empty())
        return fail("no file name given");
    if (path == ":memory:") {
        if (!m_db.Open(path, true))
            return fail("cannot make a store in memory");
        if (!initialise()) {
            m_db.Close();
            return false;
        }
        configure(false);
    } else if (!openFile(options)) {
        m_db.Close();
        return false;
    }
    m_statements.Attach(&m_db);
    return true;
}

bool NewsStore::openFile(const OpenOptions& options) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const bool existed = fs::exists(m_path, ec);
    if (!existed) {
        if (!options.create)
            return fail("there is no such file");
        const fs::path parent = fs::path(m_path).parent_path();
        if (!parent.empty())
            fs::create_directories(parent, ec);
        if (ec)
            return fail("cannot make folder " + parent.string() + ": " + ec.message());
    } else if (fs::is_directory(m_path, ec)) {
        return fail("that is a folder, not a file");
    }
    if (!m_db.Open(m_path, !existed))
        return fail("cannot open: " + m_db.LastError());
    // Nothing is written before the file has proved to be a sound store.
    const auto tables = m_db.QueryInt("SELECT count(*) FROM sqlite_schema");
    if (!tables)
        return failUnreadable();
    const std::int64_t appId = m_db.QueryInt("PRAGMA application_id").value_or(0);
    const std::int64_t version = m_db.QueryInt("PRAGMA user_version").value_or(0);
    if (*tables == 0 && appId == 0 && version == 0) {
        if (!initialise())
            return false;
    } else if (appId != news_store::kApplicationId) {
        return fail(std::string("not a news store (another application's database)") + kLeftAsIs);
    } else if (version > news_store::kSchemaVersion) {
        return fail("written by a newer version of the program (format " + std::to_string(version) +
                    ", this program reads up to format " +
                    std::to_string(news_store::kSchemaVersion) + ")" + kLeftAsIs);
    } else if (version < news_store::kSchemaVersion) {
        return fail("format " + std::to_string(version) +
                    " is older than any this program can read (format " +
                    std::to_string(news_store::kSchemaVersion) + ")" + kLeftAsIs);
    } else if (!checkLayout(options.verify)) {
        return false;
    }
    configure(true);
    return true;
}

bool NewsStore::failUnreadable() {
    const std::string why = " (" + m_db.LastError() + ")" + kLeftAsIs;
    switch (sqlite3_errcode(m_db.handle()) & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return fail("the store is in use by another program" + why);
        case SQLITE_CORRUPT:
            return fail("the store is damaged" + why);
        case SQLITE_NOTADB:
            return fail("not a news store" + why);
        default:
            return fail("cannot read the file" + why);
    }
}

bool NewsStore::initialise() {
    sqlite::Transaction tx(m_db);
    const bool made =
        tx.ok() && m_db.Exec(news_store::kCreateSchema) &&
        m_db.Exec("PRAGMA application_id = " + std::to_string(news_store::kApplicationId)) &&
        m_db.Exec("PRAGMA user_version = " + std::to_string(news_store::kSchemaVersion)) &&
        tx.Commit();
    if (!made)
        return fail("cannot make a new store: " + m_db.LastError());
    return true;
}

bool NewsStore::checkLayout(bool verify) {
    if (verify) {
        sqlite::Statement check(m_db, "PRAGMA quick_check");
        const bool stepped = check.ok() && check.Step();
        if (!stepped || check.ColumnText(0) != "ok") {
            const std::string why = stepped ? firstProblem(check.ColumnText(0)) : m_db.LastError();
            return fail("the store is damaged (" + why + ")" + kLeftAsIs);
        }
    }
    for (int i = 0; i < news_store::kTableCount; ++i) {
        sqlite::Statement table(m_db,
                                "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND "
                                "name = ?1");
        table.Bind(1, news_store::kTables[i]);
        if (!table.Step())
            return fail("the store is damaged (" + m_db.LastError() + ")" + kLeftAsIs);
        if (table.ColumnInt(0) != 1)
            return fail(std::string("the store is damaged (table ") + news_store::kTables[i] +
                        " is missing)" + kLeftAsIs);
    }
    return true;
}

void NewsStore::configure(bool file) {
    if (file) {
        // WAL with NORMAL sync: a crash loses at most the last commits, never
        // the file; the news can always be fetched again.
        m_db.Exec("PRAGMA journal_mode = WAL");
        m_db.Exec("PRAGMA synchronous = NORMAL");
    }
    m_db.Exec("PRAGMA foreign_keys = ON");
    m_db.Exec("PRAGMA cache_size = -32768");
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
    if (m_db.Exec("COMMIT"))
        return true;
    failQuery();
    m_db.Exec("ROLLBACK");
    return false;
}

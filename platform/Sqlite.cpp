#include "Sqlite.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <utility>

#include <fcntl.h>
#include <unistd.h>

namespace sqlite {

Database::~Database() {
    Close();
}

Database::Database(Database&& other) noexcept : m_db(std::exchange(other.m_db, nullptr)) {}

Database& Database::operator=(Database&& other) noexcept {
    if (this != &other) {
        Close();
        m_db = std::exchange(other.m_db, nullptr);
    }
    return *this;
}

bool Database::Open(const std::string& path, bool create) {
    Close();
    int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (create)
        flags |= SQLITE_OPEN_CREATE;
    if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
        return false;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 5000);
    return true;
}

bool Database::OpenReadOnly(const std::string& path, bool immutable) {
    Close();
    std::string uri = "file:";
    for (const char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            static constexpr char kHex[] = "0123456789ABCDEF";
            uri += '%';
            uri += kHex[static_cast<unsigned char>(c) >> 4];
            uri += kHex[c & 0xF];
        } else {
            uri += c;
        }
    }
    if (immutable)
        uri += "?immutable=1";
    const int flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_URI;
    if (sqlite3_open_v2(uri.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
        return false;
    sqlite3_extended_result_codes(m_db, 1);
    sqlite3_busy_timeout(m_db, 5000);
    return true;
}

void Database::Close() {
    if (m_db) {
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
}

bool Database::Exec(std::string_view sql) const {
    if (!m_db)
        return false;
    return sqlite3_exec(m_db, std::string(sql).c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

std::string Database::LastError() const {
    return m_db ? sqlite3_errmsg(m_db) : "database is not open";
}

std::optional<std::int64_t> Database::QueryInt(std::string_view sql) const {
    Statement st(*this, sql);
    if (!st.ok() || !st.Step())
        return std::nullopt;
    return st.ColumnInt(0);
}

Statement::Statement(const Database& db, std::string_view sql) {
    if (!db.handle())
        return;
    if (sqlite3_prepare_v2(db.handle(), sql.data(), static_cast<int>(sql.size()), &m_stmt,
                           nullptr) != SQLITE_OK) {
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
    }
}

Statement::~Statement() {
    sqlite3_finalize(m_stmt);
}

Statement& Statement::Bind(int index, std::int64_t value) {
    if (m_stmt)
        sqlite3_bind_int64(m_stmt, index, value);
    return *this;
}

Statement& Statement::Bind(int index, std::string_view text) {
    if (m_stmt)
        sqlite3_bind_text(m_stmt, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
    return *this;
}

Statement& Statement::BindNull(int index) {
    if (m_stmt)
        sqlite3_bind_null(m_stmt, index);
    return *this;
}

bool Statement::Step() {
    if (!m_stmt) {
        m_rc = SQLITE_MISUSE;
        return false;
    }
    m_rc = sqlite3_step(m_stmt);
    return m_rc == SQLITE_ROW;
}

bool Statement::Run() {
    while (Step()) {
    }
    return Done();
}

void Statement::Reset() {
    if (m_stmt) {
        sqlite3_reset(m_stmt);
        sqlite3_clear_bindings(m_stmt);
    }
    m_rc = SQLITE_OK;
}

std::int64_t Statement::ColumnInt(int column) const {
    return m_stmt ? sqlite3_column_int64(m_stmt, column) : 0;
}

std::string Statement::ColumnText(int column) const {
    if (!m_stmt)
        return {};
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_stmt, column));
    const int size = sqlite3_column_bytes(m_stmt, column);
    return text ? std::string(text, static_cast<std::size_t>(size)) : std::string();
}

bool Statement::ColumnIsNull(int column) const {
    return !m_stmt || sqlite3_column_type(m_stmt, column) == SQLITE_NULL;
}

Transaction::Transaction(const Database& db) : m_db(db) {
    m_active = m_db.Exec("BEGIN IMMEDIATE");
}

Transaction::~Transaction() {
    if (m_active)
        m_db.Exec("ROLLBACK");
}

bool Transaction::Commit() {
    if (!m_active)
        return false;
    m_active = false;
    if (m_db.Exec("COMMIT"))
        return true;
    m_db.Exec("ROLLBACK");
    return false;
}

namespace {

OpenOutcome refuse(Database& db, OpenRefusal why, std::string detail = {}) {
    db.Close();
    OpenOutcome outcome;
    outcome.refusal = why;
    outcome.detail = std::move(detail);
    return outcome;
}

// What a failed read says about the file, by SQLite's primary result code.
OpenRefusal readFailure(const Database& db) {
    switch (sqlite3_errcode(db.handle()) & 0xFF) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return OpenRefusal::InUse;
        case SQLITE_CORRUPT:
            return OpenRefusal::Damaged;
        case SQLITE_NOTADB:
            return OpenRefusal::NotADatabase;
        default:
            return OpenRefusal::Unreadable;
    }
}

bool makeStore(const Database& db, const FileFormat& format) {
    Transaction tx(db);
    return tx.ok() && (!format.createSchema || format.createSchema(db)) &&
           db.Exec("PRAGMA application_id = " + std::to_string(format.applicationId)) &&
           db.Exec("PRAGMA user_version = " + std::to_string(format.version)) && tx.Commit();
}

// quick_check, then the caller's own look at the layout; the problem, if any.
std::optional<OpenOutcome> checkStore(Database& db, const FileFormat& format) {
    if (format.quickCheck) {
        std::string report;
        {
            Statement check(db, "PRAGMA quick_check");
            if (!check.ok() || !check.Step()) {
                // A lock taken meanwhile is not damage.
                const OpenRefusal why = readFailure(db) == OpenRefusal::InUse
                                            ? OpenRefusal::InUse
                                            : OpenRefusal::Damaged;
                return refuse(db, why, db.LastError());
            }
            report = check.ColumnText(0);
        }
        if (report != "ok")
            return refuse(db, OpenRefusal::Damaged, std::move(report));
    }
    if (format.checkLayout) {
        std::string problem = format.checkLayout(db);
        if (!problem.empty())
            return refuse(db, OpenRefusal::Damaged, std::move(problem));
    }
    return std::nullopt;
}

std::uint32_t bigEndian(const unsigned char* bytes, int count) {
    std::uint32_t value = 0;
    for (int i = 0; i < count; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

// True when a write-ahead log (or a rollback journal) beside the file may hold
// pages of it: then the file alone may rightly be shorter than its header says.
bool journalHoldsPages(const std::string& path) {
    namespace fs = std::filesystem;
    constexpr std::uintmax_t kWalHeaderSize = 32;
    std::error_code ec;
    const auto wal = fs::file_size(path + "-wal", ec);
    if (!ec && wal > kWalHeaderSize)
        return true;
    const auto journal = fs::file_size(path + "-journal", ec);
    return !ec && journal > 0;
}

// A file cut short (or grown) reads as a sound store: SQLite serves zeros for
// the missing bytes and quick_check does not look at the length. The header
// tells how many pages the file holds; the problem, when the size disagrees.
std::string sizeProblem(const std::string& path) {
    constexpr std::size_t kHeaderSize = 100;
    std::array<unsigned char, kHeaderSize> header{};
    std::ifstream in(path, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header.data()), kHeaderSize))
        return {};  // too short for a header: SQLite decides what it is
    static constexpr char kMagic[] = "SQLite format 3";
    if (!std::equal(kMagic, kMagic + sizeof kMagic, header.begin()))
        return {};
    if (journalHoldsPages(path))
        return {};
    std::uint32_t pageSize = bigEndian(&header[16], 2);
    if (pageSize == 1)
        pageSize = 65536;
    if (pageSize < 512 || (pageSize & (pageSize - 1)) != 0)
        return {};  // SQLite refuses such a header itself
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec)
        return {};
    const std::uint32_t pages = bigEndian(&header[28], 4);
    const bool pagesValid = pages != 0 && bigEndian(&header[24], 4) == bigEndian(&header[92], 4);
    const std::uintmax_t expected = static_cast<std::uintmax_t>(pages) * pageSize;
    if (pagesValid ? size == expected : size % pageSize == 0)
        return {};
    if (pagesValid)
        return "the file is " + std::to_string(size) + " bytes, its " + std::to_string(pages) +
               " pages make " + std::to_string(expected);
    return "the file is " + std::to_string(size) + " bytes, not whole pages of " +
           std::to_string(pageSize);
}

bool canMigrate(const FileFormat& format, std::int64_t version) {
    return format.migrate && format.oldestMigrated > 0 && version >= format.oldestMigrated &&
           version < format.version;
}

// Every step and the new stamp, or nothing.
bool migrateStore(const Database& db, const FileFormat& format, std::int64_t from) {
    Transaction tx(db);
    if (!tx.ok())
        return false;
    for (std::int64_t step = from; step < format.version; ++step) {
        if (!format.migrate(db, step))
            return false;
    }
    return db.Exec("PRAGMA user_version = " + std::to_string(format.version)) && tx.Commit();
}

// True when this user may not change the file: SQLite then needs a
// read-only connection to read it at all.
bool cannotWrite(const std::string& path) {
    std::string folder = std::filesystem::path(path).parent_path().string();
    if (folder.empty())
        folder = ".";
    return ::access(path.c_str(), W_OK) != 0 || ::access(folder.c_str(), W_OK) != 0;
}

std::optional<std::int64_t> tableCount(const Database& db) {
    return db.QueryInt("SELECT count(*) FROM sqlite_schema");
}

// A read-only connection to an existing store. A store kept with a
// write-ahead log needs its shared-memory file, which a folder that cannot be
// written does not let SQLite make; when no log holds pages the file alone is
// the whole store and is read as immutable.
bool openForReading(Database& db, const std::string& path) {
    if (db.OpenReadOnly(path, false) && tableCount(db))
        return true;
    if (journalHoldsPages(path))
        return db.IsOpen();
    return db.OpenReadOnly(path, true);
}

OpenOutcome openVersioned(Database& db, const std::string& path, const FileFormat& format) {
    namespace fs = std::filesystem;
    db.Close();
    bool existed = false;
    if (path != ":memory:") {
        std::error_code ec;
        existed = fs::exists(path, ec);
        if (!existed) {
            if (!format.createMissing)
                return refuse(db, OpenRefusal::NoSuchFile);
            const fs::path parent = fs::path(path).parent_path();
            if (!parent.empty())
                fs::create_directories(parent, ec);
            if (ec)
                return refuse(db, OpenRefusal::CannotMakeFolder,
                              parent.string() + ": " + ec.message());
        } else if (fs::is_directory(path, ec)) {
            return refuse(db, OpenRefusal::Folder);
        } else if (std::string problem = sizeProblem(path); !problem.empty()) {
            return refuse(db, OpenRefusal::Damaged, std::move(problem));
        }
    }
    const bool readOnly =
        existed && format.readOnlyAllowed && path != ":memory:" && cannotWrite(path);
    if (readOnly ? !openForReading(db, path) : !db.Open(path, !existed))
        return refuse(db, OpenRefusal::CannotOpen, db.LastError());
    // A refused file is left as it was, its write-ahead log too: closing the
    // last connection must not copy the log into it.
    sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);

    // Only reads until the file has proved to be a sound store (or a blank one).
    const auto tables = tableCount(db);
    const auto appId = tables ? db.QueryInt("PRAGMA application_id") : std::nullopt;
    const auto version = appId ? db.QueryInt("PRAGMA user_version") : std::nullopt;
    if (!version)
        return refuse(db, readFailure(db), db.LastError());
    if (*tables == 0 && *appId == 0 && *version == 0) {
        if (readOnly)
            return refuse(db, OpenRefusal::CannotCreate, "the file cannot be written");
        if (!makeStore(db, format))
            return refuse(db, OpenRefusal::CannotCreate, db.LastError());
        sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
        OpenOutcome made;
        made.created = true;
        return made;
    }
    if (*appId != format.applicationId)
        return refuse(db, OpenRefusal::Foreign);
    const bool migrating = *version != format.version && canMigrate(format, *version);
    if (*version != format.version && !migrating) {
        OpenOutcome outcome =
            refuse(db, *version > format.version ? OpenRefusal::Newer : OpenRefusal::Older);
        outcome.foundVersion = *version;
        return outcome;
    }
    if (auto problem = checkStore(db, format))
        return std::move(*problem);
    if (migrating && !readOnly && !migrateStore(db, format, *version)) {
        OpenOutcome outcome =
            refuse(db, OpenRefusal::Unreadable,
                   "bringing format " + std::to_string(*version) + " up to format " +
                       std::to_string(format.version) + " failed: " + db.LastError());
        outcome.foundVersion = *version;
        return outcome;
    }
    sqlite3_db_config(db.handle(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 0, nullptr);
    OpenOutcome opened;
    opened.readOnly = readOnly;
    opened.foundVersion = readOnly ? *version : format.version;
    return opened;
}

// The files SQLite keeps beside a database in write-ahead-log mode. Merely
// reading such a file makes them (an empty log and the shared-memory index),
// and a connection closed without a checkpoint leaves them behind.
struct SideFiles {
    bool log = false;
    bool index = false;
};

SideFiles sideFilesOf(const std::string& path) {
    std::error_code ec;
    return {std::filesystem::exists(path + "-wal", ec), std::filesystem::exists(path + "-shm", ec)};
}

// Takes away the side files a refused open made, once its connection is
// closed, so the refused file is found exactly as it was, alone. Only while
// no other connection uses the file: every open connection holds a read lock
// on the dead-man byte of the shared-memory file (byte 128 in SQLite's unix
// VFS), so a write lock on it proves the index is nobody's. A log is taken
// only when it is empty, as the reads left it.
void removeSideFilesMade(const std::string& path, SideFiles before) {
    constexpr off_t kDeadManByte = 128;
    const SideFiles after = sideFilesOf(path);
    if (before.index || !after.index)
        return;
    const std::string index = path + "-shm";
    const int fd = ::open(index.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return;
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kDeadManByte;
    lock.l_len = 1;
    if (::fcntl(fd, F_SETLK, &lock) == 0) {
        std::error_code ec;
        const std::string log = path + "-wal";
        if (!before.log && after.log && std::filesystem::file_size(log, ec) == 0 && !ec)
            std::filesystem::remove(log, ec);
        std::filesystem::remove(index, ec);
    }
    ::close(fd);  // releases the lock
}

}  // namespace

OpenOutcome OpenVersioned(Database& db, const std::string& path, const FileFormat& format) {
    if (path == ":memory:")
        return openVersioned(db, path, format);
    const SideFiles before = sideFilesOf(path);
    OpenOutcome outcome = openVersioned(db, path, format);
    if (!outcome.ok())
        removeSideFilesMade(path, before);
    return outcome;
}

}  // namespace sqlite

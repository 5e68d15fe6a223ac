#pragma once
// Thin RAII wrappers over SQLite for the stores of this system. Every value
// goes in through bound parameters; nothing is spliced into SQL text.
#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace sqlite {

class Statement;

class Database {
  public:
    Database() = default;
    ~Database();
    Database(Database&& other) noexcept;
    Database& operator=(Database&& other) noexcept;
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens (and with create, makes) a database file; ":memory:" for one in
    // memory. False with LastError() set on failure.
    bool Open(const std::string& path, bool create);
    // Opens an existing file for reading only. `immutable` tells SQLite the
    // file cannot change while open, so it needs no lock or shared-memory
    // file beside it (a store in a folder that cannot be written).
    bool OpenReadOnly(const std::string& path, bool immutable);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    sqlite3* handle() const { return m_db; }

    // Runs statements without parameters. False with LastError() on failure.
    bool Exec(std::string_view sql) const;
    std::string LastError() const;

    // Reads a single integer (the first column of the first row).
    std::optional<std::int64_t> QueryInt(std::string_view sql) const;

  private:
    sqlite3* m_db = nullptr;
};

class Statement {
  public:
    Statement(const Database& db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ok() const { return m_stmt != nullptr; }

    // Parameters are numbered from 1.
    Statement& Bind(int index, std::int64_t value);
    Statement& Bind(int index, std::string_view text);
    Statement& BindNull(int index);

    // One step: true while a row is ready; Done() tells a clean end from an error.
    bool Step();
    bool Done() const { return m_rc == SQLITE_DONE; }
    // Runs to completion; true when it ended cleanly.
    bool Run();
    void Reset();

    std::int64_t ColumnInt(int column) const;
    std::string ColumnText(int column) const;
    bool ColumnIsNull(int column) const;

  private:
    sqlite3_stmt* m_stmt = nullptr;
    int m_rc = SQLITE_OK;
};

// BEGIN IMMEDIATE on construction; rolls back unless Commit() succeeded.
class Transaction {
  public:
    explicit Transaction(const Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    bool ok() const { return m_active; }
    bool Commit();

  private:
    const Database& m_db;
    bool m_active = false;
};

// What a store file of one kind is: the caller's description for OpenVersioned.
struct FileFormat {
    // PRAGMA application_id: tells the store from any other SQLite file.
    std::int64_t applicationId = 0;
    // PRAGMA user_version: the one format this program reads and writes.
    std::int64_t version = 0;
    // Makes the tables of a new store. Runs inside the transaction that also
    // stamps the id and the version, so a new store is made whole or not at all.
    std::function<bool(const Database&)> createSchema;
    // Optional: checks that a store of the current format holds what the
    // caller needs; returns the problem, or an empty text when it is sound.
    std::function<std::string(const Database&)> checkLayout;
    bool createMissing = true;  // make a missing file (and its folder)
    bool quickCheck = true;     // run PRAGMA quick_check on an existing store
    // An existing store that this user may not write (the file or its
    // folder) is opened for reading only instead of refused.
    bool readOnlyAllowed = false;
    // Optional: a store of a format from oldestMigrated up to version - 1 is
    // brought up to `version` instead of refused, migrate(db, n) turning
    // format n into n + 1, all steps and the new stamp in one transaction,
    // after the store has passed the checks. A store opened for reading only
    // is read at its own format (OpenOutcome::foundVersion says which).
    std::function<bool(const Database&, std::int64_t from)> migrate;
    std::int64_t oldestMigrated = 0;
};

// Why OpenVersioned refused a file. The caller words the reason, since each
// store has its own texts.
enum class OpenRefusal {
    None,
    NoSuchFile,        // missing, and createMissing was false
    CannotMakeFolder,  // detail: the folder and the system's message
    Folder,            // the path is a folder
    CannotOpen,        // SQLite could not open the path at all
    InUse,             // another program holds the file locked (past the busy wait)
    NotADatabase,      // not an SQLite database
    Unreadable,        // SQLite failed to read it for another reason
    Damaged,           // detail: the quick_check report, SQLite's message or the layout problem
    Foreign,           // another application's database
    Newer,             // foundVersion is newer than FileFormat::version
    Older,             // foundVersion is older than FileFormat::version
    CannotCreate,      // making the new store failed
};

struct OpenOutcome {
    OpenRefusal refusal = OpenRefusal::None;
    std::string detail;             // SQLite's or the system's words, when there are any
    std::int64_t foundVersion = 0;  // the file's user_version (Newer, Older, read at)
    bool created = false;           // a new store was made
    bool readOnly = false;          // opened for reading only (readOnlyAllowed)
    bool ok() const { return refusal == OpenRefusal::None; }
};

// Opens `path` (or ":memory:") as a store of `format`. Nothing is written to
// an existing file before it has proved to be a sound store: SQLite reads it,
// the application id is ours, the version is the current one, quick_check and
// the caller's layout check pass. An empty or missing file (or a database
// without tables or stamps) becomes a new store. On a refusal `db` is closed
// and the file is byte for byte as it was.
OpenOutcome OpenVersioned(Database& db, const std::string& path, const FileFormat& format);

}  // namespace sqlite

#pragma once
// Thin RAII wrappers over SQLite for the stores of this system. Every value
// goes in through bound parameters; nothing is spliced into SQL text.
#include <sqlite3.h>

#include <cstdint>
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

}  // namespace sqlite

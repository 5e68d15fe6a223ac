#pragma once
// Prepared statements kept for the life of a connection: the look-ups run
// thousands of times a second while a view scrolls.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>

#include "Sqlite.h"

namespace news_store {

// A cached statement in use; reset (and its bindings cleared) when the use
// ends, so no read stays open between calls.
class StatementUse {
  public:
    explicit StatementUse(sqlite::Statement* statement) : m_statement(statement) {}
    ~StatementUse() {
        if (m_statement)
            m_statement->Reset();
    }
    StatementUse(const StatementUse&) = delete;
    StatementUse& operator=(const StatementUse&) = delete;

    bool ok() const { return m_statement && m_statement->ok(); }
    sqlite::Statement* operator->() const { return m_statement; }
    sqlite::Statement& operator*() const { return *m_statement; }

  private:
    sqlite::Statement* m_statement;
};

class StatementCache {
  public:
    void Attach(const sqlite::Database* db) {
        m_statements.clear();
        m_db = db;
    }
    // The statement for `sql`, prepared on first use. Not ok() when the SQL
    // does not prepare (the database's last error says why).
    StatementUse Use(std::string_view sql);

  private:
    const sqlite::Database* m_db = nullptr;
    std::unordered_map<std::string, std::unique_ptr<sqlite::Statement>> m_statements;
};

}  // namespace news_store

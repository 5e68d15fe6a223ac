#pragma once
// One write of the store, all or nothing: its own transaction, or a savepoint
// inside the batch that is open.
#include "NewsStore.h"

class NewsStore::WriteScope {
  public:
    explicit WriteScope(NewsStore& store) : m_store(store) {
        m_active = m_store.m_db.Exec(m_store.m_batch ? "SAVEPOINT write" : "BEGIN IMMEDIATE");
        if (!m_active)
            m_store.failQuery();
    }
    ~WriteScope() {
        if (!m_active)
            return;
        if (m_store.m_batch)
            m_store.m_db.Exec("ROLLBACK TO write; RELEASE write");
        else
            m_store.m_db.Exec("ROLLBACK");
    }
    WriteScope(const WriteScope&) = delete;
    WriteScope& operator=(const WriteScope&) = delete;

    bool ok() const { return m_active; }
    bool Commit() {
        if (!m_active)
            return false;
        // A batch brings its changes into the text index when it commits.
        if (!m_store.m_batch && !m_store.flushTextIndex())
            return m_store.failQuery();  // the destructor rolls back
        if (!m_store.m_db.Exec(m_store.m_batch ? "RELEASE write" : "COMMIT"))
            return m_store.failQuery();  // the destructor rolls back
        m_active = false;
        return true;
    }

  private:
    NewsStore& m_store;
    bool m_active = false;
};

#include "StatementCache.h"

namespace news_store {

StatementUse StatementCache::Use(std::string_view sql) {
    if (!m_db)
        return StatementUse(nullptr);
    auto it = m_statements.find(std::string(sql));
    if (it == m_statements.end()) {
        auto statement = std::make_unique<sqlite::Statement>(*m_db, sql);
        if (!statement->ok())
            return StatementUse(nullptr);
        it = m_statements.emplace(std::string(sql), std::move(statement)).first;
    }
    it->second->Reset();
    return StatementUse(it->second.get());
}

}  // namespace news_store

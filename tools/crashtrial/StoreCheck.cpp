#include "StoreCheck.h"

#include "Sqlite.h"

namespace crashtrial {

std::optional<std::string> IntegrityProblem(const sqlite::Database& db) {
    sqlite::Statement check(db, "PRAGMA integrity_check");
    if (!check.ok())
        return "the integrity check could not run: " + db.LastError();
    std::string said;
    while (check.Step()) {
        const std::string line = check.ColumnText(0);
        if (line == "ok")
            continue;
        if (!said.empty())
            said += "; ";
        said += line;
    }
    if (!check.Done())
        return "the integrity check failed: " + db.LastError();
    if (!said.empty())
        return said;
    return std::nullopt;
}

std::optional<std::string> IntegrityProblem(const std::string& path) {
    sqlite::Database db;
    if (!db.Open(path, false))
        return "the file cannot be opened for the integrity check: " + db.LastError();
    return IntegrityProblem(db);
}

}  // namespace crashtrial

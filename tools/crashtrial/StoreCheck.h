#pragma once
// SQLite's full integrity check of a store file that has already passed its
// normal open.
#include <optional>
#include <string>

namespace sqlite {
class Database;
}

namespace crashtrial {

// nullopt when the database is sound; otherwise what the check said.
std::optional<std::string> IntegrityProblem(const sqlite::Database& db);
std::optional<std::string> IntegrityProblem(const std::string& path);

}  // namespace crashtrial

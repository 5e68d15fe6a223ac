#pragma once
// Finds the quoted keys (e.g. "IDS_..." or "COLOR_...") that the project's
// own code uses, so tests can check that every shipped file provides them.
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

inline std::set<std::string> KeysUsedInCode(const std::string& root, const std::regex& quotedKey) {
    static const char* kFolders[] = {"platform", "view",    "headlines", "search", "story",
                                     "catsym",   "backend", "host",      "tools"};
    std::set<std::string> keys;
    for (const char* folder : kFolders) {
        const std::filesystem::path dir = std::filesystem::path(root) / folder;
        if (!std::filesystem::exists(dir))
            continue;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(dir)) {
            const auto ext = entry.path().extension();
            if (ext != ".cpp" && ext != ".h")
                continue;
            std::ifstream in(entry.path());
            const std::string text((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
            for (std::sregex_iterator it(text.begin(), text.end(), quotedKey), end; it != end;
                 ++it) {
                keys.insert((*it)[1].str());
            }
        }
    }
    return keys;
}

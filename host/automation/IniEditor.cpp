#include "IniEditor.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <vector>

namespace automation {

namespace {

std::string trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool sameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// The section a line opens, if it is a section header.
std::optional<std::string> sectionOf(const std::string& line) {
    const std::string t = trim(line);
    if (t.size() >= 2 && t.front() == '[' && t.back() == ']')
        return trim(t.substr(1, t.size() - 2));
    return std::nullopt;
}

std::optional<std::string> keyOf(const std::string& line) {
    const std::string t = trim(line);
    if (t.empty() || t[0] == ';' || t[0] == '#')
        return std::nullopt;
    const auto equals = t.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    return trim(t.substr(0, equals));
}

std::string entry(const std::string& key, const std::string& value) {
    // Edge blanks survive reading only inside quotes.
    const bool quote = !value.empty() && (value.front() == ' ' || value.back() == ' ');
    return key + "=" + (quote ? "\"" + value + "\"" : value);
}

}  // namespace

bool SetIniValue(const std::string& path, const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, std::string& error) {
    if (section.empty() || key.empty() || key.find('=') != std::string::npos) {
        error = "an INI section and key must not be empty, and a key holds no '='";
        return false;
    }
    // A line break would plant lines of its own in the file, and a bracket
    // in a name would read back as a section header.
    const auto breaks = [](const std::string& text) {
        return text.find_first_of("\r\n") != std::string::npos;
    };
    if (breaks(section) || breaks(key) || (value && breaks(*value))) {
        error = "an INI section, key and value are each one line";
        return false;
    }
    if (section.find_first_of("[]") != std::string::npos ||
        key.find_first_of("[]") != std::string::npos) {
        error = "an INI section and key hold no '[' or ']'";
        return false;
    }
    std::vector<std::string> lines;
    {
        std::ifstream in(path, std::ios::binary);
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(line);
        }
    }
    bool inSection = false;
    std::optional<std::size_t> sectionEnd;  // after the last entry of the section
    bool done = false;
    for (std::size_t i = 0; i < lines.size() && !done; ++i) {
        if (const auto name = sectionOf(lines[i])) {
            if (inSection)
                break;
            inSection = sameName(*name, section);
            if (inSection)
                sectionEnd = i + 1;
            continue;
        }
        if (!inSection)
            continue;
        if (!trim(lines[i]).empty())
            sectionEnd = i + 1;
        const auto found = keyOf(lines[i]);
        if (found && sameName(*found, key)) {
            if (value)
                lines[i] = entry(key, *value);
            else
                lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(i));
            done = true;
        }
    }
    if (!done && value) {
        if (sectionEnd) {
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(*sectionEnd),
                         entry(key, *value));
        } else {
            if (!lines.empty() && !trim(lines.back()).empty())
                lines.emplace_back();
            lines.push_back("[" + section + "]");
            lines.push_back(entry(key, *value));
        }
    }
    const std::string temporary = path + ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const std::string& line : lines)
            out << line << "\n";
        if (!out) {
            error = "cannot write " + path;
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        error = "cannot write " + path + ": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace automation

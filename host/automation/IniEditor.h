#pragma once
// Writes one value into an INI file the way a person editing it would: the
// key's line is replaced in place (section and key matched without regard to
// ASCII case), or added at the end of its section, or the section is added at
// the end of the file. Comments and every other line stay as they were.
#include <optional>
#include <string>

namespace automation {

// nullopt as the value takes the key out. False with the reason when the
// file cannot be read or written.
bool SetIniValue(const std::string& path, const std::string& section, const std::string& key,
                 const std::optional<std::string>& value, std::string& error);

}  // namespace automation

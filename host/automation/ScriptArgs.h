#pragma once
// One line of an automation script, split into words. Words are separated by
// blanks; a double-quoted part keeps its blanks and knows the escapes for a
// quote, a backslash, \n, \r and \t. A word "name=value" (the '=' outside quotes) is an option; any
// other word is positional. The first word names the command.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace automation {

// A line that cannot be executed; the interpreter reports it with the line number.
class ScriptError : public std::runtime_error {
  public:
    explicit ScriptError(const std::string& message) : std::runtime_error(message) {}
};

struct Word {
    std::string text;                   // the value of an option
    std::optional<std::string> option;  // the name, for "name=value"
    bool quoted = false;                // a part of it was in quotes
};

// Words of a line; none for a blank line or a comment ('#' first). Throws
// ScriptError for an unterminated quote or an unknown escape.
std::vector<Word> SplitWords(std::string_view line);

// The words of one command, taken one by one. Every word must be used:
// Finish() throws for one that was not.
class Args {
  public:
    explicit Args(std::vector<Word> words);

    const std::string& Command() const { return m_command; }
    // Positional words after the command.
    std::size_t Count() const { return m_positional.size(); }
    bool Has(std::size_t index) const { return index < m_positional.size(); }
    // The positional word at `index`; throws "missing WHAT" when absent.
    const std::string& At(std::size_t index, const char* what);
    std::optional<std::string> Optional(std::size_t index);
    // The positional words from `index` on, joined by one blank; throws when none.
    std::string Rest(std::size_t index, const char* what);
    // Whether the unquoted positional word `name` is there. It is taken out
    // of the positional words: ask for flags before reading positions.
    bool Flag(const char* name);
    std::optional<std::string> Option(const char* name);
    void Finish() const;

  private:
    struct Item {
        Word word;
        mutable bool used = false;
    };
    std::string m_command;
    std::vector<Item> m_positional;
    std::vector<Item> m_options;
};

}  // namespace automation

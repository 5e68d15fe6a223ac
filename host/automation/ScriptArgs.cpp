#include "ScriptArgs.h"

#include <cctype>

namespace automation {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool isOptionName(std::string_view name) {
    if (name.empty() || !std::isalpha(static_cast<unsigned char>(name[0])))
        return false;
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_' && c != '-')
            return false;
    }
    return true;
}

}  // namespace

std::vector<Word> SplitWords(std::string_view line) {
    std::vector<Word> words;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        if (i >= line.size())
            break;
        if (words.empty() && line[i] == '#')
            break;
        Word word;
        std::string text;
        std::optional<std::size_t> equals;  // where an unquoted '=' fell in `text`
        while (i < line.size() && !isBlank(line[i])) {
            const char c = line[i];
            if (c == '"') {
                word.quoted = true;
                ++i;
                bool closed = false;
                while (i < line.size()) {
                    const char q = line[i++];
                    if (q == '"') {
                        closed = true;
                        break;
                    }
                    if (q != '\\') {
                        text += q;
                        continue;
                    }
                    if (i >= line.size())
                        break;
                    const char e = line[i++];
                    switch (e) {
                        case '"':
                        case '\\':
                            text += e;
                            break;
                        case 'n':
                            text += '\n';
                            break;
                        case 'r':
                            text += '\r';
                            break;
                        case 't':
                            text += '\t';
                            break;
                        default:
                            throw ScriptError(std::string("unknown escape \\") + e + " in quotes");
                    }
                }
                if (!closed)
                    throw ScriptError("a quote is not closed");
                continue;
            }
            if (c == '=' && !equals && !word.quoted)
                equals = text.size();
            text += c;
            ++i;
        }
        if (equals && isOptionName(std::string_view(text).substr(0, *equals))) {
            word.option = text.substr(0, *equals);
            text.erase(0, *equals + 1);
        }
        word.text = std::move(text);
        words.push_back(std::move(word));
    }
    return words;
}

Args::Args(std::vector<Word> words) {
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i == 0 && !words[i].option) {
            m_command = words[i].text;
            continue;
        }
        (words[i].option ? m_options : m_positional).push_back({std::move(words[i])});
    }
}

const std::string& Args::At(std::size_t index, const char* what) {
    if (index >= m_positional.size())
        throw ScriptError(std::string("missing ") + what);
    m_positional[index].used = true;
    return m_positional[index].word.text;
}

std::optional<std::string> Args::Optional(std::size_t index) {
    if (index >= m_positional.size())
        return std::nullopt;
    m_positional[index].used = true;
    return m_positional[index].word.text;
}

std::string Args::Rest(std::size_t index, const char* what) {
    if (index >= m_positional.size())
        throw ScriptError(std::string("missing ") + what);
    std::string text;
    for (std::size_t i = index; i < m_positional.size(); ++i) {
        m_positional[i].used = true;
        if (i > index)
            text += ' ';
        text += m_positional[i].word.text;
    }
    return text;
}

bool Args::Flag(const char* name) {
    for (auto it = m_positional.begin(); it != m_positional.end(); ++it) {
        if (!it->used && !it->word.quoted && it->word.text == name) {
            // Out of the positional words, so the others keep their places.
            m_positional.erase(it);
            return true;
        }
    }
    return false;
}

std::optional<std::string> Args::Option(const char* name) {
    std::optional<std::string> value;
    for (Item& item : m_options) {
        if (*item.word.option == name) {
            if (value)
                throw ScriptError(std::string("option ") + name + " is given twice");
            item.used = true;
            value = item.word.text;
        }
    }
    return value;
}

void Args::Finish() const {
    for (const Item& item : m_positional) {
        if (!item.used)
            throw ScriptError("unexpected '" + item.word.text + "'");
    }
    for (const Item& item : m_options) {
        if (!item.used)
            throw ScriptError("unknown option " + *item.word.option + "=");
    }
}

}  // namespace automation

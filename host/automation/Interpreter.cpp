#include "Interpreter.h"

#include <functional>
#include <istream>
#include <ostream>

namespace automation {

namespace {

// A block opens on a line whose last word is an unquoted "begin".
bool opensBlock(const std::vector<Word>& words) {
    return words.size() > 1 && !words.back().quoted && !words.back().option &&
           words.back().text == "begin";
}

bool closesBlock(const std::vector<Word>& words) {
    return words.size() == 1 && !words[0].quoted && words[0].text == "end";
}

}  // namespace

void NoBlock(const Call& call) {
    if (call.block)
        throw ScriptError(call.args.Command() + " takes no begin ... end block");
}

Interpreter::Interpreter(Session& session) : m_session(session) {
    AddEnvironmentCommands(m_table);
    AddBackendCommands(m_table);
    AddViewCommands(m_table);
    AddInputCommands(m_table);
    AddGridCommands(m_table);
    AddAnswerCommands(m_table);
    AddEventCommands(m_table);
    AddPrintCommands(m_table);
    AddStoryCommands(m_table);
    AddSearchCommands(m_table);
    AddDialogCommands(m_table);
    AddReplayCommands(m_table);
    AddAlertCommands(m_table);
    AddHealthCommands(m_table);
}

void Interpreter::Report(int line, const std::string& message) {
    ++m_failures;
    m_session.Out() << "error: line " << line << ": " << message << '\n';
    m_session.Out().flush();
}

void Interpreter::Run(const std::vector<SourceLine>& lines) {
    std::size_t next = 0;
    run([&]() -> std::optional<SourceLine> {
        if (next == lines.size())
            return std::nullopt;
        return lines[next++];
    });
}

void Interpreter::Run(std::istream& in) {
    ScriptReader reader(in);
    run([&] {
        // What ran so far is out before the next line is waited for.
        m_session.Out().flush();
        return reader.Next();
    });
}

void Interpreter::run(const std::function<std::optional<SourceLine>()>& next) {
    while (const std::optional<SourceLine> line = next()) {
        std::vector<Word> words;
        try {
            words = SplitWords(line->text);
        } catch (const ScriptError& e) {
            Report(line->number, e.what());
            continue;
        }
        if (words.empty())
            continue;
        if (closesBlock(words)) {
            Report(line->number, "end without begin");
            continue;
        }
        if (!opensBlock(words)) {
            runCommand(*line, nullptr);
            continue;
        }
        // Gather the block, nested blocks included.
        std::vector<SourceLine> block;
        int depth = 1;
        while (const std::optional<SourceLine> inner = next()) {
            std::vector<Word> innerWords;
            try {
                innerWords = SplitWords(inner->text);
            } catch (const ScriptError&) {
                // Reported when the block runs.
            }
            if (opensBlock(innerWords))
                ++depth;
            else if (closesBlock(innerWords) && --depth == 0)
                break;
            block.push_back(*inner);
        }
        if (depth != 0) {
            // Everything after it was taken as its block: say so, or the
            // rest of the script would vanish without a word.
            Report(line->number, "begin without end: the " + std::to_string(block.size()) +
                                     " line(s) after it were not run");
            return;
        }
        runCommand(*line, &block);
    }
}

void Interpreter::runCommand(const SourceLine& line, const std::vector<SourceLine>* block) {
    try {
        std::vector<Word> words = SplitWords(line.text);
        if (block)
            words.pop_back();  // "begin"
        Args args(std::move(words));
        if (args.Command().empty())
            throw ScriptError("a line must start with a command");
        const Handler* handler = m_table.Find(args.Command());
        if (!handler)
            throw ScriptError("unknown command '" + args.Command() + "'");
        Call call{m_session, args, line.number, block, *this};
        (*handler)(call);
        m_session.Settle();
    } catch (const ScriptError& e) {
        Report(line.number, e.what());
    }
    // Requests for a person that did not match the answers queued.
    const auto& errors = m_session.Ui().Script().Errors();
    for (; m_personErrors < errors.size(); ++m_personErrors)
        Report(line.number, errors[m_personErrors]);
}

void Interpreter::Finish() {
    const std::size_t pending = m_session.Ui().Script().PendingAnswers();
    auto& lines = m_session.QueuedAnswerLines();
    // The oldest answers were taken first; the ones left are the last queued.
    const std::size_t skip = lines.size() > pending ? lines.size() - pending : 0;
    for (std::size_t i = skip; i < lines.size(); ++i)
        Report(lines[i], "the answer was never asked for");
}

ScriptReader::ScriptReader(std::istream& in) : m_in(in) {}

std::optional<SourceLine> ScriptReader::Next() {
    std::string text;
    if (!std::getline(m_in, text))
        return std::nullopt;
    ++m_number;
    if (m_number == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);
    return SourceLine{m_number, std::move(text)};
}

int RunScript(std::istream& in, std::ostream& out, const AutomationOptions& options) {
    Session session(options, out);
    if (!session.Ready()) {
        out << "error: " << session.Error() << '\n';
        return 2;
    }
    Interpreter interpreter(session);
    interpreter.Run(in);
    interpreter.Finish();
    out.flush();
    return interpreter.Failures() == 0 ? 0 : 1;
}

}  // namespace automation

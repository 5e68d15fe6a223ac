#pragma once
// Runs automation scripts: one command per line, executed in order. A line
// that cannot be executed prints "error: line N: reason" and the run goes on;
// the run fails at the end if any line failed.
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "Commands.h"
#include "Session.h"

namespace automation {

class Interpreter {
  public:
    explicit Interpreter(Session& session);

    // Runs the lines (blocks "... begin" to "end" are handed to their command).
    void Run(const std::vector<SourceLine>& lines);
    // Runs each line as soon as it is read (a block once its end is read), so
    // a script typed or piped in runs as it comes.
    void Run(std::istream& in);
    // Reports anything left over (answers never asked for).
    void Finish();
    int Failures() const { return m_failures; }
    void Report(int line, const std::string& message);

  private:
    void run(const std::function<std::optional<SourceLine>()>& next);
    void runCommand(const SourceLine& line, const std::vector<SourceLine>* block);

    Session& m_session;
    CommandTable m_table;
    int m_failures = 0;
    std::size_t m_personErrors = 0;  // of the headless script, reported so far
};

// Reads a script a line at a time; line numbers count from 1.
class ScriptReader {
  public:
    explicit ScriptReader(std::istream& in);
    std::optional<SourceLine> Next();  // nullopt at the end

  private:
    std::istream& m_in;
    int m_number = 0;
};

// Runs a script in a fresh session. Returns 0 when every line ran, 1 when
// some did not, 2 when the session could not be set up.
int RunScript(std::istream& in, std::ostream& out, const AutomationOptions& options);

}  // namespace automation

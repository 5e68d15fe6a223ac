#pragma once
// Runs automation scripts: one command per line, executed in order. A line
// that cannot be executed prints "error: line N: reason" and the run goes on;
// the run fails at the end if any line failed.
#include <iosfwd>
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
    // Reports anything left over (answers never asked for).
    void Finish();
    int Failures() const { return m_failures; }
    void Report(int line, const std::string& message);

  private:
    void runCommand(const SourceLine& line, const std::vector<SourceLine>* block);

    Session& m_session;
    CommandTable m_table;
    int m_failures = 0;
    std::size_t m_personErrors = 0;  // of the headless script, reported so far
};

// Reads a whole script; line numbers count from 1.
std::vector<SourceLine> ReadScript(std::istream& in);
// Runs a script in a fresh session. Returns 0 when every line ran, 1 when
// some did not, 2 when the session could not be set up.
int RunScript(std::istream& in, std::ostream& out, const AutomationOptions& options);

}  // namespace automation

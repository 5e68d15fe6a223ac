#pragma once
// The command table of the automation. Each family of commands registers its
// own; a handler reads its words from Args, acts on the Session, and throws
// ScriptError when the line cannot be executed.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ScriptArgs.h"

namespace automation {

class Session;
class Interpreter;

struct SourceLine {
    int number = 0;
    std::string text;
};

struct Call {
    Session& session;
    Args& args;
    int line;
    // The lines between a command ending in "begin" and its "end".
    const std::vector<SourceLine>* block;
    Interpreter& interpreter;
};

using Handler = std::function<void(Call&)>;

class CommandTable {
  public:
    void Add(const std::string& name, Handler handler) { m_handlers[name] = std::move(handler); }
    const Handler* Find(const std::string& name) const {
        const auto it = m_handlers.find(name);
        return it == m_handlers.end() ? nullptr : &it->second;
    }

  private:
    std::map<std::string, Handler> m_handlers;
};

void AddEnvironmentCommands(CommandTable& table);
void AddBackendCommands(CommandTable& table);
void AddViewCommands(CommandTable& table);
void AddInputCommands(CommandTable& table);
void AddAnswerCommands(CommandTable& table);
void AddEventCommands(CommandTable& table);
void AddPrintCommands(CommandTable& table);
void AddStoryCommands(CommandTable& table);
void AddSearchCommands(CommandTable& table);
void AddDialogCommands(CommandTable& table);
void AddReplayCommands(CommandTable& table);
void AddAlertCommands(CommandTable& table);
void AddHealthCommands(CommandTable& table);
void AddGridCommands(CommandTable& table);

// A command that takes no block refuses one.
void NoBlock(const Call& call);

}  // namespace automation

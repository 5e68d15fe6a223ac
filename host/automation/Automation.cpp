#include "Automation.h"

#include <fstream>
#include <iostream>

#include "Interpreter.h"

namespace automation {

int RunScriptFile(const std::string& path, std::ostream& out, const AutomationOptions& options) {
    if (path == "-")
        return RunScript(std::cin, out, options);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        out << "error: cannot read the script " << path << '\n';
        return 2;
    }
    return RunScript(in, out, options);
}

}  // namespace automation

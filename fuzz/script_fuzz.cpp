// libFuzzer target for automation scripts: each input is a script run in a
// fresh world (headless, the news view module, a new configuration folder),
// as `newsdesk --script` runs it. Any script must run to its end without a
// crash; lines that cannot run are reported and the run goes on.
#include <dlfcn.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>

#include "automation/Interpreter.h"

namespace {

// The module stays loaded for the whole run: each world unloads what it
// loaded, and the fuzzer keeps counting coverage of its code.
void keepModuleLoaded() {
    static void* module = ::dlopen(KQ_NEWSVIEW_MODULE, RTLD_NOW | RTLD_NODELETE);
    if (module == nullptr)
        std::abort();
}

// Words naming a file outside the run's folders (an absolute path, a climb
// out with "..") could overwrite anything the fuzzer's user may write; such
// scripts are skipped.
bool namesOutsidePath(const std::string& script) {
    for (std::size_t at = script.find('/'); at != std::string::npos;
         at = script.find('/', at + 1)) {
        if (at == 0 ||
            std::string_view(" \t\r\n\"'=\\").find(script[at - 1]) != std::string_view::npos)
            return true;
    }
    return script.find("..") != std::string::npos || script.find('~') != std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A short script reaches every command; long ones only slow the search.
    if (size > 2048)
        return 0;
    const std::string script(reinterpret_cast<const char*>(data), size);
    if (namesOutsidePath(script))
        return 0;
    keepModuleLoaded();

    automation::AutomationOptions options;
    options.modulePath = KQ_NEWSVIEW_MODULE;
    options.viewClass = "SKQNewsCtrlView";
    options.resourceDir = KQ_DATA_DIR;
    std::istringstream in(script);
    std::ostringstream out;
    automation::RunScript(in, out, options);
    return 0;
}

#pragma once
// Running automation scripts in the test process against the test double
// of the news view module, or the module itself.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "automation/Interpreter.h"

struct ScriptRun {
    int status = 0;
    std::string output;
};

inline automation::AutomationOptions TestDoubleOptions() {
    automation::AutomationOptions options;
    options.modulePath = KQ_TEST_DOUBLE_MODULE;
    options.viewClass = "TestDoubleNewsView";
    options.resourceDir = std::string(KQ_SOURCE_DIR) + "/data";
    return options;
}

// The same against the news view module itself.
inline automation::AutomationOptions NewsViewOptions() {
    automation::AutomationOptions options = TestDoubleOptions();
    options.modulePath = KQ_NEWSVIEW_MODULE;
    options.viewClass = "SKQNewsCtrlView";
    return options;
}

// The news view module with its settings in `configDir`, so a second run
// finds what the first saved.
inline automation::AutomationOptions NewsViewOptions(const std::string& configDir) {
    automation::AutomationOptions options = NewsViewOptions();
    options.configDir = configDir;
    return options;
}

// Two news services, as most module scripts start.
inline const std::string kTwoServices =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "service 50 瀚海經濟新聞網 瀚海 20261204\n";

inline ScriptRun RunLines(const std::string& script,
                          const automation::AutomationOptions& options = TestDoubleOptions()) {
    std::istringstream in(script);
    std::ostringstream out;
    ScriptRun run;
    run.status = automation::RunScript(in, out, options);
    run.output = out.str();
    return run;
}

inline bool Has(const std::string& output, const std::string& text) {
    return output.find(text) != std::string::npos;
}

// Checks a run's exit status and that its output holds each of `texts`.
inline void ExpectOutput(const ScriptRun& run, int status, const std::vector<std::string>& texts) {
    EXPECT_EQ(run.status, status) << run.output;
    for (const std::string& text : texts)
        EXPECT_TRUE(Has(run.output, text)) << "missing: " << text << "\nin:\n" << run.output;
}

// A run checked by ExpectOutput, for table-driven suites: the script (after
// the suite's common lines), its exit status and texts its output holds.
struct ScriptCase {
    const char* name;
    const char* script;
    int status;
    std::vector<std::string> texts;
};

inline std::string ScriptCaseName(const ::testing::TestParamInfo<ScriptCase>& info) {
    return info.param.name;
}

inline void PrintTo(const ScriptCase& c, std::ostream* os) {
    *os << c.name;
}

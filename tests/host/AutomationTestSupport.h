#pragma once
// Running automation scripts in the test process against the test double
// of the news view module, or the module itself.
#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>

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
inline void ExpectOutput(const ScriptRun& run, int status,
                         std::initializer_list<std::string> texts) {
    EXPECT_EQ(run.status, status) << run.output;
    for (const std::string& text : texts)
        EXPECT_TRUE(Has(run.output, text)) << "missing: " << text << "\nin:\n" << run.output;
}

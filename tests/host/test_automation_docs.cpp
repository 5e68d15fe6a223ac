// Every example of docs/automation.md runs: each "script" block without an
// error, and where an "output" block follows it, with exactly that output -
// against the test double of the view module, and against the news view
// module itself when the build made one. A "script newsview" block needs
// what only the news view module has (its story window) and runs against it
// alone.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "AutomationTestSupport.h"

namespace {

struct Example {
    int line = 0;  // where the script starts in the document
    std::string script;
    std::optional<std::string> output;
    bool newsViewOnly = false;
};

std::vector<Example> examplesOf(const std::string& path) {
    std::ifstream in(path);
    std::vector<Example> examples;
    std::string line;
    int number = 0;
    auto block = [&](std::string& text) {
        while (std::getline(in, line)) {
            ++number;
            if (line == "```")
                return;
            text += line + "\n";
        }
    };
    while (std::getline(in, line)) {
        ++number;
        if (line == "```script" || line == "```script newsview") {
            Example example;
            example.line = number + 1;
            example.newsViewOnly = line != "```script";
            block(example.script);
            examples.push_back(example);
        } else if (line == "```output" && !examples.empty() && !examples.back().output) {
            std::string output;
            block(output);
            examples.back().output = output;
        } else if (line.rfind("```", 0) == 0 && !examples.empty() && !examples.back().output) {
            examples.back().output.reset();
        }
    }
    return examples;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

void runExamples(const automation::AutomationOptions& options, bool newsView) {
    const std::vector<Example> examples =
        examplesOf(std::string(KQ_SOURCE_DIR) + "/docs/automation.md");
    ASSERT_GE(examples.size(), 6u);
    for (const Example& example : examples) {
        if (example.newsViewOnly && !newsView)
            continue;
        const ScriptRun run = RunLines(example.script, options);
        EXPECT_EQ(run.status, 0) << "the example at line " << example.line
                                 << " of docs/automation.md:\n"
                                 << run.output;
        if (example.output) {
            EXPECT_EQ(run.output, replaceAll(*example.output, "SKQNewsCtrlView", options.viewClass))
                << "the example at line " << example.line << " of docs/automation.md";
        }
    }
}

}  // namespace

TEST(AutomationDocs, EveryExampleRunsAgainstTheTestDouble) {
    runExamples(TestDoubleOptions(), false);
}

TEST(AutomationDocs, EveryExampleRunsAgainstTheNewsViewModule) {
    runExamples(NewsViewOptions(), true);
}

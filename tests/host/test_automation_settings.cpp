// The news view's settings through the automation, against the module
// itself: a view closed in one run comes back as it was left in the next run
// on the same configuration folder, and a store that cannot be opened is left
// as it was while the views run on their defaults.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include <sys/stat.h>

#include "AutomationTestSupport.h"
#include "TempDir.h"
#include "Unprivileged.h"

namespace {

const std::string& kServices = kTwoServices;

automation::AutomationOptions moduleOptions(const TempDir& config) {
    return NewsViewOptions(config.str());
}

TEST(AutomationSettings, AViewClosedInOneRunComesBackInTheNextOnTheSameFolder) {
    TempDir config;
    const ScriptRun first = RunLines(kServices +
                                         "store view 即時新聞 1 0 Keyword list 台積電 \"a b\"\n"
                                         "create\n"
                                         "tab 2\n"
                                         "close\n",
                                     moduleOptions(config));
    ASSERT_EQ(first.status, 0) << first.output;
    const ScriptRun second =
        RunLines(kServices + "create\nprint mode\nprint settings\n", moduleOptions(config));
    ASSERT_EQ(second.status, 0) << second.output;
    EXPECT_EQ(second.output,
              "mode: current 2, focused 2, mask 127\n"
              "settings of v1: 10 values\n"
              "  view FocusedTab = 2\n"
              "  view Keyword = [台積電, a b]\n"
              "  view LinkGroup = 0\n"
              "  view SearchItems = []\n"
              "  view Sheet0ServiceCheck49 = true\n"
              "  view Sheet0ServiceCheck50 = true\n"
              "  view Sheet1ServiceCheck49 = true\n"
              "  view Sheet1ServiceCheck50 = true\n"
              "  view Sheet2ServiceCheck49 = true\n"
              "  view Sheet2ServiceCheck50 = true\n");
}

TEST(AutomationSettings, AStoreThatCannotBeOpenedIsToldOnceAndLeftAsItWas) {
    TempDir config;
    const std::string bytes = "not a configuration store";
    config.write("newsdesk.kqcfg", bytes);
    const ScriptRun run = RunLines(kServices +
                                       "create\n"
                                       "print mode\n"
                                       "tab 2\n"
                                       "close\n"
                                       "create\n"
                                       "print mode\n"
                                       "print notices\n",
                                   moduleOptions(config));
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output.find("mode: current 0, focused 0, mask 127\n"), 0u) << run.output;
    EXPECT_NE(run.output.find("mode: current 0, focused 0, mask 127\nnotices: "), std::string::npos)
        << "nothing was saved: the second view starts on its defaults too\n"
        << run.output;
    const std::size_t told = run.output.find("msgbox \"新聞看板\" \"無法開啟設定檔");
    EXPECT_NE(told, std::string::npos) << run.output;
    EXPECT_EQ(run.output.find("msgbox", told + 1), std::string::npos) << "told once";
    std::ifstream in(config.file("newsdesk.kqcfg"), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), bytes);
}

TEST(AutomationSettings, AStoreThatCanOnlyBeReadIsToldOnceAndUsedAsSaved) {
    TempDir config;
    ASSERT_EQ(RunLines(kServices + "create\ntab 2\nclose\n", moduleOptions(config)).status, 0);
    const std::string path = config.file("newsdesk.kqcfg");
    ::chmod(path.c_str(), 0444);
    ::chmod(config.str().c_str(), 0555);
    const std::string before = TempDir::read(path);
    const std::string problems = AsUnprivilegedUser([&] {
        const ScriptRun run = RunLines(
            kServices + "create\nprint mode\ntab 1\nclose\nprint notices\n", moduleOptions(config));
        std::string found;
        if (run.output.find("mode: current 2, focused 2") == std::string::npos)
            found += "the saved tab was not used; ";
        const std::size_t told = run.output.find("msgbox \"新聞看板\" \"設定檔只能讀取");
        if (told == std::string::npos || run.output.find("msgbox", told + 1) != std::string::npos)
            found += "not told once; ";
        return found.empty() ? found : found + run.output;
    });
    ::chmod(config.str().c_str(), 0755);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(TempDir::read(path), before);
}

}  // namespace

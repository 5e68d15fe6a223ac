// The automation's story window commands: what a person could not do is an
// error, a view without a story window and a module that makes none are
// reported plainly, and the host's window follows the resize.
#include <gtest/gtest.h>

#include "AutomationTestSupport.h"

namespace {

const std::string kNews =
    "service 49 晨曦財經通訊社 晨曦 20261204\n"
    "headline 49 08:30 1 晶昇科營收 cat=11 story=營收創新高\n"
    "create\n";

}  // namespace

TEST(AutomationStory, WhatAPersonCannotDoIsAnError) {
    struct Case {
        const char* lines;
        const char* error;
    };
    const Case cases[] = {
        {"storywindow click prev\n", "a person cannot reach it"},
        {"select 0\nstorywindow open\nstorywindow click help\n", "expected prev, next"},
        {"storywindow host 49/08:30/1 extra\n", "extra"},
        {"storywindow dance\n", "expected open, click"},
        {"storywindow click prev host\n", "the host has shown no story yet"},
    };
    for (const Case& c : cases) {
        const ScriptRun run = RunLines(kNews + c.lines, NewsViewOptions());
        EXPECT_NE(run.status, 0) << c.lines;
        EXPECT_TRUE(Has(run.output, c.error)) << c.lines << run.output;
    }
}

TEST(AutomationStory, AViewOrModuleWithoutAStoryWindowSaysSo) {
    EXPECT_EQ(RunLines(kNews + "print story\n").output, "story: none\n");
    ExpectOutput(RunLines(kNews + "storywindow host 49/08:30/1\n"), 1,
                 {"no loaded module makes story windows"});
}

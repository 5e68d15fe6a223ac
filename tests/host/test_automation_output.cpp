// Printing and saving through the automation: two news items with long
// Chinese stories printed page by page (kept as the recorded pages they
// must give), the waiting jobs, saved files in both encodings, and what a
// script cannot ask for.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "AutomationTestSupport.h"

namespace {

// A story of `paragraphs` paragraphs of 20 Chinese characters and a number.
std::string longStory(const char* topic, int paragraphs) {
    std::string story;
    for (int i = 1; i <= paragraphs; ++i)
        story += std::string(topic) + "第" + std::to_string(i) +
                 "段：營收創新高，法人看好後市表現，外資連續買超。@@@@";
    return story;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(AutomationOutput, TwoLongChineseStoriesPrintAsTheKeptPages) {
    const std::string script =
        "service 49 晨曦財經通訊社 晨曦 20261204\n"
        "headline 49 08:30 1 晶昇科十一月營收創新高，法人看好明年成長動能 cat=11 story=\"" +
        longStory("晶昇科", 52) +
        "\"\n"
        "headline 49 08:45 2 瀚川電子國際展登場 cat=11 story=\"" +
        longStory("瀚川", 50) +
        "\"\n"
        "create\n"
        "select 1\n"
        "select 0 ctrl\n"
        "answer print record\n"
        "command 5407\n"
        "print jobs\n"
        "print pages\n";
    const ScriptRun run = RunLines(script, NewsViewOptions());
    ASSERT_EQ(run.status, 0) << run.output;
    const std::string expected =
        readFile(std::string(KQ_SOURCE_DIR) + "/tests/host/expected/printed_pages.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(run.output, expected);
}

TEST(AutomationOutput, WaitingJobsAndSavedFilesAreReported) {
    const ScriptRun run = RunLines(
        "service 49 晨曦財經通訊社 晨曦 20261204\n"
        "headline 49 08:30 1 晶昇科 cat=11 story=內文\n"
        "create\n"
        "latency 2\n"
        "story 49 08:30 1 新的內文\n"
        "select 0\n"
        "command 5408\n"
        "print jobs\n"
        "answer save out.txt big5\n"
        "advance 2s\n"
        "print jobs\n"
        "print file out.txt\n"
        "print file missing.txt\n",
        NewsViewOptions());
    ExpectOutput(
        run, 0,
        {"save jobs: 1 waiting\n  job 1:\n    49/2026-12-04T08:30:00/1 title "
         "\"晶昇科\", story missing\n",
         "save jobs: 0 waiting", "file out.txt: 152 bytes, Big5\n",
         "  \"內文：\\r\\n\"\n  \"2026/12/ 4 08:30:00新的內文\\r\\n\"", "file missing.txt: none"});
}

TEST(AutomationOutput, WhatAScriptCannotAskForIsAnError) {
    const std::pair<const char*, const char*> cases[] = {
        {"print file\n", "a file name"},
        {"print jobs extra\n", "extra"},
        {"print pages extra\n", "extra"},
        {"answer print pdf\n", "expected record or cancel"},
    };
    for (const auto& [lines, error] : cases) {
        const ScriptRun run =
            RunLines(std::string("service 49 晨曦財經通訊社 晨曦 20261204\ncreate\n") + lines,
                     NewsViewOptions());
        EXPECT_NE(run.status, 0) << lines;
        EXPECT_TRUE(Has(run.output, error)) << lines << run.output;
    }
}

// The back-end and the world around the views through the automation:
// services and headlines checked as feed records are, the clock and the
// time zone, the configuration store in its three scopes, INI values
// written into the system folder.
#include <gtest/gtest.h>

#include <fstream>

#include "AutomationTestSupport.h"
#include "TempDir.h"
#include "automation/IniEditor.h"
#include "automation/RecordCommands.h"
#include "automation/ScriptValues.h"
#include "test_feed_support.h"

namespace {

// A field's value as a script writes it.
std::string ScriptText(BYTE value, feed::Meaning) {
    return std::to_string(value);
}
std::string ScriptText(std::int32_t value, feed::Meaning meaning) {
    return (meaning == feed::Meaning::kTime ? "@" : "") + std::to_string(value);
}
std::string ScriptText(std::uint32_t value, feed::Meaning) {
    return std::to_string(value);
}
std::string ScriptText(const CString& value, feed::Meaning) {
    return automation::Quote(value.str());
}
std::string ScriptText(const std::vector<CString>& items, feed::Meaning) {
    std::string text;
    for (const CString& item : items)
        text += (text.empty() ? "" : ",") + item.str();
    return automation::Quote(text);
}

// The command line for a record, each field where its list places it.
template <class Record>
std::string CommandLine(const Record& record) {
    std::vector<std::string> positional(feed::kFieldCount<Record>);
    std::string options;
    feed::ForEachField<Record>([&](const auto& field) {
        const std::string text = ScriptText(record.*field.member, field.meaning);
        if (field.arg.form == feed::CommandArg::Form::kOption)
            options += std::string(" ") + field.arg.text + "=" + text;
        else
            positional.at(static_cast<std::size_t>(field.arg.position)) = text;
    });
    std::string line = feed::RecordFields<Record>::kKind;
    for (const std::string& word : positional)
        line += word.empty() ? "" : " " + word;
    return line + options + (feed::RecordFields<Record>::kLive ? " live" : "");
}

}  // namespace

TEST(AutomationBackend, EveryRecordCommandTakesEveryFieldOfItsRecord) {
    std::string script;
    feed::ForEachKind([&](auto kind) {
        using Record = typename decltype(kind)::type;
        const Record record = EveryFieldSet<Record>();
        const std::string line = CommandLine(record);
        automation::Args args(automation::SplitWords(line));
        const automation::RecordWords words = automation::ReadRecordCommand(args, 0);
        EXPECT_EQ(words.payload, feed::FeedPayload(record)) << line;
        EXPECT_EQ(words.live, feed::RecordFields<Record>::kLive) << line;
        script += line + "\n";
    });
    // Run as a script, every line goes into the back-end; the service comes back whole.
    const ScriptRun run = RunLines(script + "print services\n");
    EXPECT_EQ(run.status, 0) << run.output;
    const auto service = EveryFieldSet<feed::ServiceRecord>();
    EXPECT_TRUE(Has(run.output, "services: 1\n  " + std::to_string(service.service) + ' ' +
                                    service.fullName.str() + ' ' + service.shortName.str() + ' ' +
                                    std::to_string(service.newsDate) + '\n'))
        << run.output;
}

TEST(AutomationBackend, ServicesAndHeadlinesGoInThroughTheFeed) {
    ExpectOutput(RunLines("service 49 晨曦財經通訊社 晨曦 20261204\n"
                          "service '2' 瀚海經濟新聞網 瀚海\n"
                          "print services\n"
                          "headline 49 09:00 1 標題 cat=abc\n"
                          "service 49 \"\" 晨曦 20261332\n"
                          "headline 49 24:00 1 標題\n"
                          "story 49 2040-01-01T09:00 1 內文\n"),
                 1,
                 {"services: 2\n  49 晨曦財經通訊社 晨曦 20261204\n  50 瀚海經濟新聞網 瀚海 0\n",
                  "error: line 4: ",  // a category id is decimal
                  "error: line 5: news date '20261332' is not a real date",
                  "error: line 6: time '24:00' is not a real date and time",
                  // Records keep 32-bit times.
                  "error: line 7: time '2040-01-01T09:00': expected a moment from 1901 to 2038"});
}

TEST(AutomationBackend, TheClockAndTheTimeZoneAreTheScripts) {
    ExpectOutput(RunLines("print clock\nclock 2026-12-07T13:30\nprint clock\ntz UTC\nprint clock\n"
                          "clock @0\nprint clock\ntz Nowhere/Atlantis\n"),
                 1,
                 {"clock: 2026-12-04 09:00:00\n"
                  "clock: 2026-12-07 13:30:00\n"
                  "clock: 2026-12-07 05:30:00\n"
                  "clock: 1970-01-01 00:00:00\n",
                  "error: line 8: unknown time zone 'Nowhere/Atlantis'"});
    // The run put the process's time zone back.
    ASSERT_NE(std::getenv("TZ"), nullptr);
    EXPECT_STREQ(std::getenv("TZ"), "Asia/Taipei");
}

TEST(AutomationBackend, TheStoreIsWrittenAndReadInEveryScope) {
    const ScriptRun run = RunLines(
        "store view 即時新聞 1 0 FocusedTab int 3\n"
        "store view 即時新聞 1 0 Keyword list 台積電 \"a b\"\n"
        "store view 即時新聞 1 0 CategoryID string 營收\n"
        "store view 即時新聞 1 0 Flag bool on\n"
        "store common 即時新聞 1 WarningSearchItemOrder int 2\n"
        "store default RelationSearchItems \"CR1|16|2330|0|1|0|1|營收\"\n"
        "print store view 即時新聞 1 0 FocusedTab int\n"
        "print store view 即時新聞 1 0 Keyword list\n"
        "print store view 即時新聞 1 0 CategoryID string\n"
        "print store view 即時新聞 1 0 Flag bool\n"
        "print store view 即時新聞 1 0 Missing int\n"
        "print store view 即時新聞 1 0 FocusedTab string\n"
        "print store common 即時新聞 1 WarningSearchItemOrder int\n"
        "print store default RelationSearchItems\n"
        "store view 即時新聞 1 0 FocusedTab float 1\n");
    ExpectOutput(
        run, 1,
        {"store view 即時新聞 1 0 FocusedTab = 3\n"
         "store view 即時新聞 1 0 Keyword = [\"台積電\", \"a b\"]\n"
         "store view 即時新聞 1 0 CategoryID = \"營收\"\n"
         "store view 即時新聞 1 0 Flag = on\n"
         "store view 即時新聞 1 0 Missing = (none)\n"
         "store view 即時新聞 1 0 FocusedTab = (none)\n"
         "store common 即時新聞 1 WarningSearchItemOrder = 2\n"
         "store default SKQNewsCtrlView RelationSearchItems = [\"CR1|16|2330|0|1|0|1|營收\"]\n",
         "error: line 15: type 'float': expected int, bool, string or list"});
}

TEST(AutomationBackend, IniValuesAreWrittenIntoTheSystemFolder) {
    TempDir sys;
    sys.write("Application.ini",
              "; site options\n[NewsCtrlSearchView]\nShowNormalSearch=1\n\n[Other]\nA=1\n");
    automation::AutomationOptions options = TestDoubleOptions();
    options.sysDir = sys.str();
    const ScriptRun run =
        RunLines("sysdir " + sys.str() +
                     "\n"
                     "ini Application.ini newsctrlsearchview shownormalsearch 0\n"
                     "ini Application.ini NewsCtrlSearchView ShowWarningSearch 1\n"
                     "ini Application.ini Other A\n"
                     "ini NewsService.ini CONFIG CatId \" 1,2\"\n"
                     "sysdir /nonexistent\n",
                 options);
    ExpectOutput(run, 1, {"error: line 6: the folder /nonexistent does not exist"});
    EXPECT_EQ(
        TempDir::read(sys.file("Application.ini")),
        "; site "
        "options\n[NewsCtrlSearchView]\nshownormalsearch=0\nShowWarningSearch=1\n\n[Other]\n");
    EXPECT_EQ(TempDir::read(sys.file("NewsService.ini")), "[CONFIG]\nCatId=\" 1,2\"\n");
}

// A script reaches only the files of its own run: no INI file outside the
// system folder, no system folder outside the run's folders.
TEST(AutomationBackend, IniAndSysdirStayInsideTheRunsFolders) {
    TempDir outside;
    const std::filesystem::path sys = std::filesystem::path(outside.str()) / "sys";
    std::filesystem::create_directory(sys);
    automation::AutomationOptions options = TestDoubleOptions();
    options.sysDir = sys.string();
    const std::string target = outside.file("planted.ini");
    const ScriptRun run = RunLines("ini " + target + " S K 1\n" +             // line 1
                                       "ini ../planted.ini S K 1\n" +         // line 2
                                       "ini sub/../../planted.ini S K 1\n" +  // line 3
                                       "sysdir " + outside.str() + "\n" +     // line 4
                                       "sysdir /\n" +                         // line 5
                                       "ini Application.ini S K 1\n" +        // line 6
                                       "ini . S K 1\n",                       // line 7
                                   options);
    ExpectOutput(
        run, 1,
        {"error: line 1: the INI file ", "error: line 2: the INI file ",
         "error: line 3: the INI file ",
         "error: line 4: the folder " + outside.str() + " is outside the run's own folders",
         "error: line 5: the folder / is outside",
         "error: line 7: the INI file .: expected a name"});
    EXPECT_FALSE(std::filesystem::exists(target));
    EXPECT_EQ(TempDir::read((sys / "Application.ini").string()), "[S]\nK=1\n");

    // Without --sys, relative folders are in the run's temporary folder.
    const ScriptRun fresh = RunLines("sysdir sys\nsysdir ..\nini ../x.ini S K 1\n");
    ExpectOutput(
        fresh, 1,
        {"error: line 2: the folder .. is outside", "error: line 3: the INI file ../x.ini"});
    EXPECT_FALSE(Has(fresh.output, "error: line 1")) << fresh.output;
}

TEST(IniEditor, KeepsCommentsAndOtherLinesAndRefusesBadNames) {
    TempDir dir;
    const std::string path = dir.write("a.ini", "[S]\r\n; keep me\r\nK = old\r\nL=2\r\n");
    std::string error;
    ASSERT_TRUE(automation::SetIniValue(path, "s", "k", std::string("new"), error)) << error;
    EXPECT_EQ(TempDir::read(path), "[S]\n; keep me\nk=new\nL=2\n");
    struct Bad {
        const char* section;
        const char* key;
        const char* value;
    };
    // Each would plant a line or a section header of its own.
    for (const Bad& bad :
         {Bad{"S", "a=b", "1"}, Bad{"S", "K", "two\nlines"}, Bad{"S", "K", "two\rlines"},
          Bad{"S]\n[T", "K", "1"}, Bad{"S", "K\nX", "1"}, Bad{"S", "K\r", "1"}, Bad{"S]", "K", "1"},
          Bad{"[S", "K", "1"}, Bad{"S", "[K]", "1"}}) {
        error.clear();
        EXPECT_FALSE(
            automation::SetIniValue(path, bad.section, bad.key, std::string(bad.value), error))
            << bad.section << " " << bad.key;
        EXPECT_FALSE(error.empty());
    }
    EXPECT_FALSE(automation::SetIniValue(path, "S", "K\n", std::nullopt, error));
    EXPECT_EQ(TempDir::read(path), "[S]\n; keep me\nk=new\nL=2\n");
}

TEST(AutomationBackend, EntitlementsDateRangeAndConnectionReachTheView) {
    const ScriptRun run = RunLines(
        "service 49 晨曦財經通訊社 晨曦 20261204\n"
        "daterange 7\nconnected on\nentitle 16 off\n"
        "create\nprint tabs\nprint rows 6 all\n"
        "entitle all\nconnected off\ndaterange 300\n");
    // Without the symbol entitlement there is no symbol tab.
    ExpectOutput(run, 1,
                 {"tabs: 4, selected 0\n", "InitialViewInfo 即時新聞 range 7 connected 1",
                  "error: line 10: date range '300': expected a number from 0 to 255"});
    EXPECT_FALSE(Has(run.output, "(mode 2)")) << run.output;
}

// A recording with a bad line, or none at all, is refused whole: nothing of
// it reaches the back-end.
TEST(AutomationBackend, ReplayRefusesUnreadableAndBadRecordingsWhole) {
    TempDir dir;
    const std::string bad = dir.file("bad.kqfeed");
    {
        std::ofstream out(bad);
        out << "#kqfeed 1\nservice\t\t49\t20261203\t晨曦財經通訊社\t晨曦\n"
            << "headline\t\t49\tnot-a-time\t1\t11\t\t0\t0\t外資買超\t\n";
    }
    const ScriptRun run = RunLines("replay " + dir.file("missing.kqfeed") + "\n" +  // line 1
                                   "replay " + bad + "\n" +                         // line 2
                                   "replay feed/example.kqfeed shift=99999\n" +     // line 3
                                   "print services\n");
    ExpectOutput(
        run, 1,
        {"error: line 1: cannot replay ",
         "error: line 2: cannot replay " + bad + ": line 3: ", "error: line 3: ", "services: 0\n"});
}

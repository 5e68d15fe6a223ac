// The feed file format: every record kind survives a write and a read exactly,
// whatever its text holds; malformed lines are reported and skipped.
#include <limits>
#include <random>
#include <sstream>
#include <streambuf>

#include <gtest/gtest.h>

#include "TempDir.h"
#include "feed/FeedInjector.h"
#include "feed/FeedReader.h"
#include "feed/FeedSource.h"
#include "feed/FeedWriter.h"
#include "test_feed_support.h"

using namespace feed;

namespace {

std::vector<FeedRecord> OneOfEachKind() {
    HeadlineRecord headline = SampleHeadline(17, 1717722000);
    headline.symbols = {"2330", "#001"};
    return {
        Timed(ServiceRecord{'1', 20240607, "晨曦財經通訊", "晨曦"}, std::nullopt),
        Timed(CategoryRecord{'1', "11", "營收公告"}, std::nullopt),
        Timed(MarketRecord{16, "TS", "集中市場"}, std::nullopt),
        Timed(SectionRecord{16, "24", "半導體業"}, std::nullopt),
        Timed(CommodityRecord{1, "FIX", "加權指數期貨"}, std::nullopt),
        Timed(ExchangeRecord{16, "MB", "Main Board", "主板"}, std::nullopt),
        Timed(SymbolRecord{1, "FIX202406", "加權期06", "FIX", "", "DX"}, std::nullopt),
        Timed(headline, std::nullopt),
        Timed(StoryRecord{'1', 1717722000, 17, "更正後內文@@@@"}, 1717722600),
        Timed(NewsDayRecord{'4', 20240610}, 1717977600),
    };
}

std::string WriteAll(const std::vector<FeedRecord>& records) {
    std::ostringstream out;
    FeedWriter writer(out);
    writer.WriteHeader();
    for (const FeedRecord& record : records) {
        EXPECT_TRUE(writer.Write(record)) << writer.LastError().c_str();
    }
    return out.str();
}

struct ReadResult {
    std::vector<FeedRecord> records;
    std::vector<FeedIssue> issues;
    CString error;
};

ReadResult ReadAll(const std::string& bytes, std::size_t maxLine = LineSource::kDefaultMaxLine) {
    std::istringstream in(bytes);
    FeedReader reader(in, "test.kqfeed", maxLine);
    ReadResult result;
    while (auto record = reader.Next())
        result.records.push_back(std::move(*record));
    result.issues = reader.Issues();
    result.error = reader.Error();
    return result;
}

// Text that holds every character the format must escape, in random places.
std::string HostileText(std::mt19937& rng) {
    static const std::vector<std::string> pieces = {
        "\t", "\n", "\r",   "\r\n", "\\",   "\\t", "\\n", ",",    "\\,",  std::string(1, '\0'),
        "#",  " ",  "@@@@", "台股", "晶昇", "😀",   "a",   "\\\\", "\x01", "\"",
        "'",  "%s", "=",    ";"};
    std::uniform_int_distribution<int> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::string text;
    for (int n = length(rng); n > 0; --n)
        text += pieces[pick(rng)];
    return text;
}

CString NonEmpty(std::string text) {
    return text.empty() ? CString("x") : CString(std::move(text));
}

std::vector<FeedRecord> HostileRecords(std::mt19937& rng) {
    auto t = [&] { return CString(HostileText(rng)); };
    auto id = [&] { return NonEmpty(HostileText(rng)); };
    HeadlineRecord h;
    h.service = 255;
    h.time = std::numeric_limits<std::int32_t>::min();
    h.serial = std::numeric_limits<std::uint32_t>::max();
    h.categoryId = "4294967295";
    h.symbols = {id(), id(), id()};
    h.reserved = 255;
    h.deleted = 1;
    h.title = t();
    h.story = t();
    return {
        Timed(ServiceRecord{1, 0, t(), t()}, 0),
        Timed(CategoryRecord{2, "0", t()}, kMaxDue),
        Timed(MarketRecord{255, "~!", t()}, std::nullopt),
        Timed(SectionRecord{3, id(), t()}, std::nullopt),
        Timed(CommodityRecord{4, id(), t()}, std::nullopt),
        Timed(ExchangeRecord{5, id(), t(), t()}, std::nullopt),
        Timed(SymbolRecord{6, id(), t(), t(), t(), t()}, std::nullopt),
        Timed(h, 1),
        Timed(StoryRecord{7, std::numeric_limits<std::int32_t>::max(), 0, t()}, std::nullopt),
        Timed(NewsDayRecord{8, 99991231}, std::nullopt),
    };
}

std::size_t CountLines(const std::string& bytes) {
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

}  // namespace

TEST(FeedFormat, EveryFieldOfEveryKindIsWrittenReadAndDeliveredUnchanged) {
    const auto records = EveryKindEveryFieldSet();
    const std::string bytes = WriteAll(records);
    EXPECT_EQ(CountLines(bytes), records.size() + 1);
    EXPECT_EQ(bytes.rfind(kFormatLine, 0), 0u);
    const ReadResult back = ReadAll(bytes);
    EXPECT_TRUE(back.issues.empty());
    EXPECT_EQ(back.records, records);

    // Pushed into a target, each arrives as the call it stands for, whole.
    RecordingTarget target;
    FeedInjector inject(target);
    for (const FeedRecord& record : records)
        EXPECT_TRUE(inject.Record(record)) << inject.LastError().c_str();
    std::vector<FeedPayload> sent;
    for (const FeedRecord& record : records)
        sent.push_back(record.payload);
    EXPECT_EQ(target.Payloads(), sent);
}

TEST(FeedFormat, HostileTextRoundTripsOneLinePerRecord) {
    std::mt19937 rng(20240607);
    for (int round = 0; round < 300; ++round) {
        const auto records = HostileRecords(rng);
        const std::string bytes = WriteAll(records);
        ASSERT_EQ(CountLines(bytes), records.size() + 1) << "round " << round;
        const ReadResult back = ReadAll(bytes);
        ASSERT_TRUE(back.issues.empty()) << back.issues.front().reason.c_str();
        ASSERT_EQ(back.records, records) << "round " << round;
    }
}

TEST(FeedFormat, StoryLineBreaksAreKeptExactly) {
    HeadlineRecord h = SampleHeadline(1, 1717722000);
    h.story = "甲乙\r\n丙丁@@@@\n戊己\r\r\n\n庚@@@@";
    const ReadResult back = ReadAll(WriteAll({Timed(h, std::nullopt)}));
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(std::get<HeadlineRecord>(back.records[0].payload).story, h.story);
}

TEST(FeedFormat, CategoryTextAndNumberTravelTogether) {
    HeadlineRecord h = SampleHeadline(1, 1717722000);
    h.categoryId = "07";  // kept as text, 7 as the number
    FeedHeadline item = ToFeedHeadline(h);
    EXPECT_EQ(item.headline.dwCategoryID, 7u);
    EXPECT_EQ(item.categoryId, "07");
    CString reason;
    ASSERT_TRUE(FromFeedHeadline(item, &reason));
    item.headline.dwCategoryID = 8;
    EXPECT_FALSE(FromFeedHeadline(item, &reason));
    EXPECT_NE(reason.Find("does not match"), -1);
    h.categoryId = "";
    EXPECT_EQ(ToFeedHeadline(h).headline.dwCategoryID, 0u);
}

TEST(FeedFormat, WriterRefusesRecordsItCannotKeepSound) {
    std::ostringstream out;
    FeedWriter writer(out);
    HeadlineRecord emptySymbol = SampleHeadline(1, 0);
    emptySymbol.symbols = {"2330", ""};
    HeadlineRecord badText = SampleHeadline(1, 0);
    badText.title = std::string("\xff\xfe", 2);
    const std::vector<std::pair<FeedRecord, const char*>> refused = {
        {Timed(ServiceRecord{0, 0, "a", "b"}, std::nullopt), "service 0"},
        {Timed(emptySymbol, std::nullopt), "symbol id is empty"},
        {Timed(badText, std::nullopt), "not UTF-8"},
        {Timed(NewsDayRecord{'1', 20240231}, std::nullopt), "not a date"},
        {Timed(CategoryRecord{'1', "1a", "x"}, std::nullopt), "not a decimal"},
        {Timed(SymbolRecord{16, "", "x", "", "", ""}, std::nullopt), "symbol id is empty"},
        {Timed(MarketRecord{0, "TS", "x"}, std::nullopt), "market 0"},
        {Timed(NewsDayRecord{'1', 20240607}, -1), "out of range"},
    };
    for (const auto& [record, why] : refused) {
        EXPECT_FALSE(writer.Write(record)) << why;
        EXPECT_NE(writer.LastError().Find(why), -1) << writer.LastError().c_str();
    }
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(writer.RecordsWritten(), 0u);
}

TEST(FeedFormat, CommentsBlankLinesCrLfAndByteOrderMarkAreAccepted) {
    const auto records = OneOfEachKind();
    std::string crlf;
    for (const char c : WriteAll(records)) {
        if (c == '\n')
            crlf += '\r';
        crlf += c;
    }
    const std::string bytes = "\xEF\xBB\xBF# a comment\r\n\r\n   \r\n" + crlf + "  # indented\n";
    const ReadResult back = ReadAll(bytes);
    EXPECT_TRUE(back.issues.empty());
    EXPECT_EQ(back.records, records);
}

TEST(FeedFormat, MalformedLinesAreReportedWithLineAndReasonAndSkipped) {
    const std::string good = *FormatRecord(Timed(NewsDayRecord{'1', 20240607}, std::nullopt));
    std::string manySymbols = "1";
    for (int i = 2; i <= 1001; ++i)
        manySymbols += "," + std::to_string(i);
    const std::vector<std::pair<std::string, const char*>> bad = {
        {"nonsense\t\t1", "unknown record kind 'nonsense'"},
        {"newsday\t\t49", "expected 3 fields"},
        {"newsday\t\t49\t20240607\textra", "expected 3 fields"},
        {"newsday\t\tx\t20240607", "service 'x' is not a number"},
        {"newsday\t\t256\t20240607", "service '256'"},
        {"newsday\t\t0\t20240607", "service 0 is no service"},
        {"newsday\t\t49\t20241301", "not a date"},
        {"newsday\tsoon\t49\t20240607", "due time 'soon'"},
        {"newsday\t-5\t49\t20240607", "due time '-5'"},
        {"category\t\t49\t5\tbad\\qescape", "unknown escape \\q"},
        {"category\t\t49\t5\tends in\\", "lone backslash"},
        {"category\t\t49\tfive\tname", "not a decimal number"},
        {"headline\t\t49\t1\t1\t5\t2330,,2317\t0\t0\tt\ts", "symbol id is empty"},
        {"headline\t\t49\t99999999999\t1\t5\t\t0\t0\tt\ts", "time '99999999999'"},
        {"headline\t\t49\t1\t-1\t5\t\t0\t0\tt\ts", "serial '-1'"},
        {std::string("market\t\t16\tTS\t\xe5\xb8", 16), "not UTF-8"},
        {"\tnewsday\t49\t20240607", "unknown record kind ''"},
        {"headline\t\t49\t1\t1\t5\t" + manySymbols + "\t0\t0\tt\ts", "1001 ids, more than 1000"},
        {"symbol\t\t16\t" + std::string(257, '9') + "\tn\t\t\t", "longer than 256 bytes"},
        {"market\t\t16\tTSE\tname", "exchange name is not two printable ASCII"},
        {"market\t\t16\tT\tname", "exchange name is not two printable ASCII"},
        {"market\t\t16\t[]\tname", "exchange name is not two printable ASCII"},
    };
    std::string bytes = std::string(kFormatLine) + "\n" + good + "\n";
    for (const auto& [line, why] : bad)
        bytes += line + "\n" + good + "\n";
    const ReadResult back = ReadAll(bytes);
    EXPECT_TRUE(back.error.IsEmpty());
    EXPECT_EQ(back.records.size(), bad.size() + 1);  // every good line after a bad one loads
    ASSERT_EQ(back.issues.size(), bad.size());
    for (std::size_t i = 0; i < bad.size(); ++i) {
        EXPECT_EQ(back.issues[i].line, 3 + 2 * i) << bad[i].first;
        EXPECT_EQ(back.issues[i].source, "test.kqfeed");
        EXPECT_NE(back.issues[i].reason.Find(bad[i].second), -1)
            << "line " << back.issues[i].line << ": " << back.issues[i].reason.c_str();
    }
}

TEST(FeedFormat, DamagedLinesNeverBreakTheReader) {
    // Every kind of record, cut and scrambled at random: each line either
    // reads as a sound record (which then writes back to the same line) or is
    // reported with a reason.
    std::mt19937 rng(7);
    std::vector<std::string> lines;
    for (const FeedRecord& record : OneOfEachKind())
        lines.push_back(*FormatRecord(record));
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 5000; ++round) {
        std::string line = lines[static_cast<std::size_t>(round) % lines.size()];
        const int edits = 1 + round % 4;
        for (int e = 0; e < edits && !line.empty(); ++e) {
            std::uniform_int_distribution<std::size_t> at(0, line.size() - 1);
            switch (byte(rng) % 3) {
                case 0:
                    line[at(rng)] = static_cast<char>(byte(rng));
                    break;
                case 1:
                    line.erase(at(rng), 1 + at(rng) % 5);
                    break;
                default:
                    line.insert(at(rng), 1, "\t\\,\r"[byte(rng) % 4]);
            }
        }
        if (!IsRecordLine(line))
            continue;
        CString reason;
        auto record = ParseRecord(line, &reason);
        if (record) {
            const auto again = FormatRecord(*record);
            ASSERT_TRUE(again);
            EXPECT_EQ(ParseRecord(*again), record);
        } else {
            EXPECT_FALSE(reason.IsEmpty());
        }
    }
}

TEST(FeedFormat, OverlongLineIsReportedAndTheNextLineLoads) {
    const std::string good = *FormatRecord(Timed(NewsDayRecord{'1', 20240607}, std::nullopt));
    const std::string bytes = good + "\n" + std::string(5000, 'x') + "\n" + good + "\n";
    const ReadResult back = ReadAll(bytes, 1024);
    EXPECT_EQ(back.records.size(), 2u);
    ASSERT_EQ(back.issues.size(), 1u);
    EXPECT_EQ(back.issues[0].line, 2u);
    EXPECT_NE(back.issues[0].reason.Find("longer than 1024"), -1);
}

TEST(FeedFormat, ALastLineWithoutLineEndIsReportedAndSkipped) {
    // Cut inside its last field, the record would still parse: only the line
    // end tells that it is whole.
    const std::string good = *FormatRecord(Timed(NewsDayRecord{'1', 20240607}, std::nullopt));
    const std::string headline = *FormatRecord(Timed(SampleHeadline(3, 1717722000), std::nullopt));
    for (const std::string& last : {headline.substr(0, headline.size() - 5), headline, good}) {
        const ReadResult back = ReadAll(good + "\n" + last);
        EXPECT_EQ(back.records.size(), 1u) << last;
        ASSERT_EQ(back.issues.size(), 1u) << last;
        EXPECT_EQ(back.issues[0].line, 2u);
        EXPECT_NE(back.issues[0].reason.Find("no line end"), -1) << back.issues[0].reason.c_str();
    }
    // A comment needs no line end.
    const ReadResult comment = ReadAll(good + "\n# the end");
    EXPECT_EQ(comment.records.size(), 1u);
    EXPECT_TRUE(comment.issues.empty());
}

TEST(FeedFormat, EveryCarriageReturnBeforeTheLineFeedIsLineEnd) {
    const FeedRecord record = Timed(SampleHeadline(3, 1717722000), std::nullopt);
    const std::string line = *FormatRecord(record);
    for (const char* end : {"\r\n", "\r\r\n", "\r\r\r\n"}) {
        const ReadResult back = ReadAll(line + end);
        EXPECT_TRUE(back.issues.empty()) << back.issues.at(0).reason.c_str();
        ASSERT_EQ(back.records.size(), 1u);
        EXPECT_EQ(back.records[0], record);
    }
}

TEST(FeedFormat, NewerFormatStopsTheReaderWithAClearError) {
    const std::string good = *FormatRecord(Timed(NewsDayRecord{'1', 20240607}, std::nullopt));
    for (const char* version : {"2", "1000001", "99999999999999999999999"}) {
        const ReadResult back = ReadAll("#kqfeed " + std::string(version) + "\n" + good + "\n");
        EXPECT_TRUE(back.records.empty()) << version;
        EXPECT_NE(back.error.Find("newer than this reader"), -1) << back.error.c_str();
    }
    EXPECT_EQ(ReadAll("#kqfeed 1\n" + good + "\n").records.size(), 1u);
}

// A stream of NUL bytes that never ends, as a device gives.
class EndlessZeros : public std::streambuf {
  public:
    EndlessZeros() { setg(m_zeros, m_zeros, m_zeros + sizeof m_zeros); }

  protected:
    int_type underflow() override {
        setg(m_zeros, m_zeros, m_zeros + sizeof m_zeros);
        return 0;
    }

  private:
    char m_zeros[4096] = {};
};

TEST(FeedFormat, AnEndlessLineStopsTheReaderWithAnError) {
    EndlessZeros zeros;
    std::istream in(&zeros);
    FeedReader reader(in, "zeros", 1024);
    EXPECT_FALSE(reader.Next());
    EXPECT_NE(reader.Error().Find("without a line end"), -1) << reader.Error().c_str();
    ASSERT_EQ(reader.IssueCount(), 1u);
    EXPECT_NE(reader.Issues()[0].reason.Find("longer than 1024"), -1);
}

TEST(FeedFormat, FilesReadInOrderWithIssuesNamingTheirFile) {
    TempDir dir;
    const auto records = OneOfEachKind();
    const std::string first =
        dir.write("first.kqfeed", WriteAll({records.begin(), records.begin() + 4}) + "junk\n");
    const std::string second =
        dir.write("second.kqfeed", "junk\n" + WriteAll({records.begin() + 4, records.end()}));
    CString error;
    auto source = FeedFileSource::Open({first, second}, &error);
    ASSERT_TRUE(source) << error.c_str();
    EXPECT_EQ(source->Total(), records.size() + 2);
    std::vector<FeedRecord> read;
    while (auto record = source->Next())
        read.push_back(*record);
    EXPECT_EQ(read, records);
    EXPECT_EQ(source->Skipped(), 2u);
    ASSERT_EQ(source->Issues().size(), 2u);
    EXPECT_EQ(source->Issues()[0].source, first);
    EXPECT_EQ(source->Issues()[0].line, 6u);
    EXPECT_EQ(source->Issues()[1].source, second);
    EXPECT_EQ(source->Issues()[1].line, 1u);

    EXPECT_FALSE(FeedFileSource::Open({first, dir.file("missing.kqfeed")}, &error));
    EXPECT_NE(error.Find("missing.kqfeed"), -1);
    const FeedFileContents missing = ReadFeedFile(dir.file("missing.kqfeed"));
    EXPECT_NE(missing.error.Find("cannot open"), -1);
}

class FeedShift : public ::testing::Test {};

TEST_F(FeedShift, MovesTimesAndDatesByCalendarDays) {
    // 2024-02-28 09:00:00 in Taipei, moved two days: over the leap day.
    const std::int32_t t = 1709082000;
    FeedRecord headline = Timed(SampleHeadline(1, t), t + 5);
    ShiftDays(headline, 2);
    EXPECT_EQ(std::get<HeadlineRecord>(headline.payload).time, t + 2 * 86400);
    EXPECT_EQ(headline.due, t + 5 + 2 * 86400);
    FeedRecord day = Timed(NewsDayRecord{'1', 20240228}, std::nullopt);
    ShiftDays(day, 2);
    EXPECT_EQ(std::get<NewsDayRecord>(day.payload).date, 20240301);
    FeedRecord service = Timed(ServiceRecord{'1', 20231231, "a", "b"}, std::nullopt);
    ShiftDays(service, -365);
    EXPECT_EQ(std::get<ServiceRecord>(service.payload).newsDate, 20221231);
    FeedRecord noDay = Timed(ServiceRecord{'1', 0, "a", "b"}, std::nullopt);
    ShiftDays(noDay, 3);
    EXPECT_EQ(std::get<ServiceRecord>(noDay.payload).newsDate, 0);
}

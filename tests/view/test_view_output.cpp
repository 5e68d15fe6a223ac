// Printing and saving the selected news: the job made of the selection, the
// collectors that wait for the back-end, the saved file's lines and line
// ends, its encodings and its failures, and the printed pages.
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CodePage.h"
#include "NewsSave.h"
#include "test_view_support.h"
#include "ui/CDC.h"

namespace {

using namespace view_test;

// A recording printer whose records outlive it: the view drops its device
// context when the job is printed.
class KeptPrinter : public RecordingDC {
  public:
    KeptPrinter(std::vector<Record>* out, const Device& page) : RecordingDC(page), m_out(out) {}
    ~KeptPrinter() override { *m_out = Records(); }

  private:
    std::vector<Record>* m_out;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class ViewOutput : public ViewHost {
  protected:
    std::vector<RecordingDC::Record> printed;
    int prints = 0;

    // Headline n of service '1' at 09:00 + n minutes; the newest is row 0.
    void Add(int serial, const char* title, const char* story, BYTE service = '1') {
        backend.AddHeadline(Item(service, t0 + serial * 60, static_cast<std::uint32_t>(serial),
                                 title, "1", {}, story),
                            false);
    }

    // The person clicks a row of the current sheet, Ctrl held for more.
    static void Select(SKQNewsCtrlView& view, int row, bool more = false) {
        CGridoraWnd* sheet = view.pInspectSheet(view.iInspectCurrentMode());
        const CRect data = sheet->GetLayout().data;
        int y = data.top;
        while (y < data.bottom && sheet->iCalcRowNdx(CPoint(data.left + 5, y)) != row)
            ++y;
        sheet->SendMessage(WM_LBUTTONDOWN, more ? MK_CONTROL : 0, MAKELPARAM(data.left + 5, y));
        sheet->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(data.left + 5, y));
    }

    // The story of serial n is sent again with `text`: it is on its way for
    // the back-end's latency.
    void Resend(int serial, const char* text) {
        CStory story;
        story.byService = '1';
        story.tTime = static_cast<std::int32_t>(t0 + serial * 60);
        story.dwSerial = static_cast<std::uint32_t>(serial);
        story.strStory = text;
        backend.AddStory(story, false);
    }
    void Wait(int seconds) {
        clock.Advance(seconds);
        backend.Dispatch();
    }

    static void Command(SKQNewsCtrlView& view, UINT id) { view.SendMessage(WM_COMMAND, id, 0); }

    void AnswerPrint(RecordingDC::Device page = RecordingDC::A4Printer()) {
        ui.Script().AnswerPrint([this, page] {
            ++prints;
            return std::make_unique<KeptPrinter>(&printed, page);
        });
    }

    std::vector<CString> TextOuts() const {
        std::vector<CString> out;
        for (const auto& r : printed) {
            if (r.op == RecordingDC::Op::TextOut)
                out.push_back(r.text);
        }
        return out;
    }
    int Pages() const {
        int n = 0;
        for (const auto& r : printed)
            n += r.op == RecordingDC::Op::StartPage ? 1 : 0;
        return n;
    }
    bool Printed(const CString& text) const {
        const auto texts = TextOuts();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    std::string SavePath(const char* name) const { return sys.str() + "/" + name; }
};

// --- The saved text ---------------------------------------------------------

CNewsOutputJob OneItem(const char* title, const char* story) {
    CNewsOutputItem item;
    item.key = Key('1', 1709859600, 7);
    item.strTitle = title;
    item.strStory = story;
    item.bHeadline = item.bStory = 1;
    return {item};
}

// The story part of a saved item: after the label, before the separator.
std::string StoryPart(const std::string& file) {
    const std::size_t from = file.find("內文：") + std::string("內文：").size();
    return file.substr(from, file.find(std::string(80, '-')) - from);
}

TEST_F(ViewOutput, ASavedItemHoldsNumberTitleStoryAndSeparatorInOrderWithCrLfOnly) {
    const std::string file = news_save::strFileText(OneItem("台積電法說會", "第一段@@@@第二段"));
    EXPECT_EQ(file, " 新聞編號 7\r\n\r\n標題：台積電法說會\r\n\r\n內文：第一段@@@@第二段\r\n\r\n" +
                        std::string(80, '-') + "\r\n");
    // Every CR is followed by LF and every LF preceded by CR.
    const std::string story = StoryPart(news_save::strFileText(OneItem("t", "a\r\nb\nc\rd")));
    EXPECT_EQ(story, "a\r\nb\r\nc\r\nd\r\n\r\n");
}

struct LineCase {
    const char* name;
    std::string story;
    std::vector<std::string> lines;  // the story's lines in the file, up to the blank one
};
const std::string k79(79, 'a');
const LineCase kLines[] = {
    {"ByteEightyStartsAChineseCharacter", k79 + "台灣" + "x", {k79, "台灣x"}},
    {"LineBreakAtByteThirty",
     std::string(29, 'b') + "\n" + std::string(60, 'c'),
     {std::string(29, 'b'), "", std::string(60, 'c')}},
    {"ChineseOnlyFortyCharactersALine",
     [] {
         std::string s;
         for (int i = 0; i < 45; ++i)
             s += "漢";
         return s;
     }(),
     {[] {
          std::string s;
          for (int i = 0; i < 40; ++i)
              s += "漢";
          return s;
      }(),
      "漢漢漢漢漢"}},
};

class SavedLines : public ViewOutput, public ::testing::WithParamInterface<LineCase> {};

TEST_P(SavedLines, AreAtMostEightyColumnsAndNeverSplitACharacter) {
    const std::string story =
        StoryPart(news_save::strFileText(OneItem("t", GetParam().story.c_str())));
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t end; (end = story.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(story.substr(at, end - at));
    ASSERT_GE(lines.size(), GetParam().lines.size());
    for (std::size_t i = 0; i < GetParam().lines.size(); ++i)
        EXPECT_EQ(lines[i], GetParam().lines[i]) << i;
    for (const std::string& line : lines) {
        EXPECT_LE(codepage::DisplayWidth(line), 80);
        EXPECT_TRUE(codepage::IsValidUtf8(line));
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SavedLines, ::testing::ValuesIn(kLines),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(ViewOutput, LongTitlesAreCutAtEightyColumnsOnCharacterBoundaries) {
    const std::string ascii(200, 't');
    std::string file = news_save::strFileText(OneItem(ascii.c_str(), "s"));
    EXPECT_NE(file.find("標題：" + ascii.substr(0, 80) + "\r\n" + ascii.substr(80, 80) + "\r\n" +
                        ascii.substr(160) + "\r\n\r\n內文："),
              std::string::npos);
    // 100 Chinese characters: 200 Big5 bytes, 40 characters a line.
    std::string chinese;
    for (int i = 0; i < 100; ++i)
        chinese += "股";
    file = news_save::strFileText(OneItem(("x" + chinese).c_str(), "s"));
    const std::size_t from = file.find("標題：") + std::string("標題：").size();
    const std::string first = file.substr(from, file.find("\r\n", from) - from);
    EXPECT_EQ(first, "x" + chinese.substr(0, 39 * 3)) << "79 columns: the 40th would split";
    EXPECT_TRUE(codepage::IsValidUtf8(file));
}

// --- Jobs and collectors ----------------------------------------------------

TEST_F(ViewOutput, StoriesAtHandAreSavedAtOnceInSelectionOrderNoSelectionOrACancelDoesNothing) {
    AddServices();
    Add(1, "第一則", "內文一");
    Add(2, "第二則", "內文二");
    auto view = OpenView();
    view->pInspectSheet(0)->vResetActiveSelection(-1, -1);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    EXPECT_TRUE(ui.Script().Requests().empty()) << "no selection: nothing asked";
    Select(*view, 1);
    Select(*view, 0, true);
    ui.Script().AnswerSaveFile(SavePath("a.txt"));
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    const std::string file = ReadFile(SavePath("a.txt"));
    EXPECT_LT(file.find("第一則"), file.find("第二則")) << "selection order";
    EXPECT_NE(file.find("內文：內文一\r\n"), std::string::npos) << "no date line";
    EXPECT_EQ(view->InspectOutputJobs(1).size(), 0u);
    // Cancelled dialogs leave no job behind.
    ui.Script().AnswerSaveFile(std::nullopt);
    ui.Script().AnswerPrint(nullptr);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    Command(*view, SKQNewsCtrlView::ID_PRINT_NEWS);
    EXPECT_TRUE(view->InspectOutputJobs(0).empty());
    EXPECT_TRUE(view->InspectOutputJobs(1).empty());
    EXPECT_TRUE(ui.Script().Errors().empty());
}

TEST_F(ViewOutput, StoriesArrivingInReverseOrderOutputTheJobOnceAfterTheLast) {
    backend.SetLatency(5);
    AddServices();
    for (int serial = 1; serial <= 3; ++serial)
        Add(serial, CString::Formatted("標題%d", serial).c_str(), "");
    auto view = OpenView();
    Wait(10);
    // The stories come newest first: the reverse of the selection's order.
    for (int serial = 3; serial >= 1; --serial) {
        Resend(serial, CString::Formatted("內文%d", serial).c_str());
        clock.Advance(1);
    }
    Select(*view, 2);
    Select(*view, 1, true);
    Select(*view, 0, true);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    ASSERT_EQ(view->InspectOutputJobs(1).size(), 1u);
    EXPECT_EQ(view->InspectOutputJobs(1)[0].size(), 3u);
    Wait(2);
    ASSERT_EQ(view->InspectOutputJobs(1).size(), 1u);
    EXPECT_TRUE(view->InspectOutputJobs(1)[0][2].bStory) << "serial 3 came first";
    EXPECT_FALSE(view->InspectOutputJobs(1)[0][0].bStory);
    ui.Script().AnswerSaveFile(SavePath("r.txt"));
    Wait(5);
    EXPECT_TRUE(view->InspectOutputJobs(1).empty());
    const std::string file = ReadFile(SavePath("r.txt"));
    EXPECT_LT(file.find("內文1"), file.find("內文2"));
    EXPECT_LT(file.find("內文2"), file.find("內文3"));
    EXPECT_NE(file.find("內文：\r\n2024/03/ 8 09:01:00內文1"), std::string::npos)
        << "a story that arrives later carries its date line, the day padded with a blank";
    EXPECT_EQ(ui.Script().Requests().size(), 1u) << "one save dialog only";
    EXPECT_TRUE(ui.Script().Errors().empty());
}

TEST_F(ViewOutput, TwoWaitingJobsSharingAHeadlineBothTakeItsStory) {
    backend.SetLatency(5);
    AddServices();
    Add(1, "共用", "");
    auto view = OpenView();
    Wait(10);
    Resend(1, "共用內文");
    Select(*view, 0);
    Command(*view, SKQNewsCtrlView::ID_PRINT_NEWS);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    EXPECT_EQ(view->InspectOutputJobs(0).size(), 1u);
    EXPECT_EQ(view->InspectOutputJobs(1).size(), 2u);
    AnswerPrint();
    ui.Script().AnswerSaveFile(SavePath("s2.txt"));
    ui.Script().AnswerSaveFile(SavePath("s1.txt"));
    Wait(5);
    EXPECT_EQ(prints, 1);
    EXPECT_TRUE(Printed("2024/03/ 8 09:01:00共用內文"));
    EXPECT_NE(ReadFile(SavePath("s1.txt")).find("共用內文"), std::string::npos);
    EXPECT_NE(ReadFile(SavePath("s2.txt")).find("共用內文"), std::string::npos);
    EXPECT_TRUE(view->InspectOutputJobs(1).empty());
    EXPECT_TRUE(ui.Script().Errors().empty());
}

// Counts its outputs instead of printing.
class CountingCollector : public CNewsCollector {
  public:
    void vOutput(CNewsOutputJob& job) override { outputs.push_back(job); }
    std::vector<CNewsOutputJob> outputs;
};

TEST_F(ViewOutput, CollectorsOutputACompletedJobOnceWhenTheyHaveAViewAndAreNotBusy) {
    AddServices();
    Add(1, "標題", "內文");
    auto view = OpenView();
    CountingCollector collector;
    collector.m_pNewsView = view.get();
    CNewsOutputItem item;
    item.key = Key('1', t0 + 60, 1);
    item.strStory = "已有的內文";
    item.bStory = 1;
    collector.vAddJob({item});

    collector.RespHeadLine({Key('1', t0 + 120, 2)});
    collector.RespStory(Key('1', t0 + 120, 2));
    EXPECT_EQ(collector.iGetJobCount(), 1) << "a headline no item holds";
    collector.RespHeadLine({item.key});
    collector.RespStory(item.key);
    collector.RespHeadLine({item.key});
    ASSERT_EQ(collector.outputs.size(), 1u);
    EXPECT_EQ(collector.iGetJobCount(), 0);
    EXPECT_EQ(collector.outputs[0][0].strTitle, "標題");
    EXPECT_EQ(collector.outputs[0][0].strStory, "已有的內文") << "a filled story stays";

    // A collector without a view fetches no titles; a busy one outputs later.
    CountingCollector later;
    CNewsOutputItem bare;
    bare.key = item.key;
    later.vAddJob({bare});
    later.RespHeadLine({bare.key});
    EXPECT_EQ(later.iGetJobCount(), 1);
    later.m_pNewsView = view.get();
    later.m_bBusy = 1;  // an output's dialog is running
    later.RespHeadLine({bare.key});
    later.RespStory(bare.key);
    EXPECT_TRUE(later.outputs.empty());
    EXPECT_EQ(later.iGetJobCount(), 1) << "complete, it waits for the running output";
    later.m_bBusy = 0;
    later.RespStory(bare.key);
    ASSERT_EQ(later.outputs.size(), 1u);
    // Taken by a response: the date line, the day padded with a blank.
    EXPECT_EQ(later.outputs[0][0].strStory, "\r\n2024/03/ 8 09:01:00內文");
}

TEST_F(ViewOutput, ASecondItemNeverCarriesTheFirstItemsStory) {
    backend.SetLatency(5);
    AddServices();
    Add(2, "有內文", "先到的內文");
    Add(1, "晚到", "");
    auto view = OpenView();
    Wait(10);
    Resend(1, "晚到的內文");
    Select(*view, 0);  // serial 2, its story at hand
    Select(*view, 1, true);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    const auto jobs = view->InspectOutputJobs(1);
    ASSERT_EQ(jobs.size(), 1u);
    ASSERT_EQ(jobs[0].size(), 2u);
    EXPECT_TRUE(jobs[0][0].bStory);
    EXPECT_FALSE(jobs[0][1].bStory);
    ui.Script().AnswerSaveFile(SavePath("two.txt"));
    Wait(5);
    const std::string file = ReadFile(SavePath("two.txt"));
    EXPECT_EQ(file.find("先到的內文"), file.rfind("先到的內文")) << "once only";
    EXPECT_NE(file.find("晚到的內文"), std::string::npos);
}

TEST_F(ViewOutput, TitlesComeFromEachItemsOwnServiceWhateverTheModeShows) {
    AddServices(true);
    backend.AddHeadline(Item('4', t0 + 60, 1, "權證標題", "1", {}, "權證內文"), false);
    auto view = OpenView();
    PickMode(*view, 5);  // warrant news: the items' checked flags are cleared here
    Select(*view, 0);
    ui.Script().AnswerSaveFile(SavePath("w.txt"));
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    EXPECT_TRUE(view->InspectOutputJobs(1).empty()) << "nothing waits for a title nobody asked";
    EXPECT_NE(ReadFile(SavePath("w.txt")).find("權證標題"), std::string::npos);
}

// --- Files: encodings and failures -------------------------------------------

TEST_F(ViewOutput, Big5KeepsTheSameLinesAsUtf8AndWhatItCannotHoldIsRefusedWithAnOfferOfUtf8) {
    AddServices();
    Add(1, "台積電", "營收創新高@@@@第二段");
    Add(2, "国家队", "简体内文");
    auto view = OpenView();
    Select(*view, 1);  // serial 1
    ui.Script().AnswerSaveFile(SavePath("u.txt"), 0);
    ui.Script().AnswerSaveFile(SavePath("b.txt"), 1);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    EXPECT_EQ(ui.Script().Requests().back().text,
              "文字檔 (*.txt)|*.txt|文字檔 Big5 (*.txt)|*.txt||");
    const std::string big5 = ReadFile(SavePath("b.txt"));
    EXPECT_FALSE(codepage::IsValidUtf8(big5));
    EXPECT_EQ(codepage::Cp950ToUtf8(big5), ReadFile(SavePath("u.txt")));

    Select(*view, 0);  // serial 2, in Simplified Chinese
    for (const int answer : {IDNO, IDYES}) {
        ui.Script().AnswerSaveFile(SavePath("gb.txt"), 1);
        ui.Script().AnswerMessageBox(answer);
        Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
        const auto& box = ui.Script().Requests().back();
        EXPECT_EQ(box.kind, ScriptedUserServices::Kind::MessageBox);
        EXPECT_NE(box.text.Find("Big5"), -1);
        EXPECT_NE(box.text.Find("UTF-8"), -1);
        const std::string file = ReadFile(SavePath("gb.txt"));
        if (answer == IDNO)
            EXPECT_TRUE(file.empty()) << "nothing written";
        else
            EXPECT_NE(file.find("国家队"), std::string::npos) << "saved whole, as UTF-8";
    }
}

TEST_F(ViewOutput, AnExistingFileIsReplacedOnlyWhenAskedAndOnlyWhenTheNewOneIsWritten) {
    AddServices();
    Add(1, "標題", "內文");
    auto view = OpenView();
    Select(*view, 0);
    sys.write("old.txt", "keep me");
    ui.Script().AnswerSaveFile(SavePath("old.txt"));
    ui.Script().AnswerMessageBox(IDNO);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    EXPECT_EQ(ReadFile(SavePath("old.txt")), "keep me");
    EXPECT_EQ(ui.Script().Requests().back().flags, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));

    // A folder that does not exist: told why, nothing else touched.
    ui.Script().AnswerSaveFile(SavePath("missing/x.txt"));
    ui.Script().AnswerMessageBox(IDOK);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    EXPECT_NE(ui.Script().Requests().back().text.Find("No such file or directory"), -1);

    ui.Script().AnswerSaveFile(SavePath("old.txt"));
    ui.Script().AnswerMessageBox(IDYES);
    Command(*view, SKQNewsCtrlView::ID_SAVE_NEWS);
    EXPECT_NE(ReadFile(SavePath("old.txt")).find("內文"), std::string::npos);
    EXPECT_TRUE(ui.Script().Errors().empty());
}

TEST_F(ViewOutput, AFailedWriteLeavesTheOldFileAndNoTemporaryBehind) {
    sys.write("kept.txt", "old");
    std::string reason;
    ASSERT_TRUE(news_save::bWriteReplacing(SavePath("kept.txt"), "new", reason)) << reason;
    EXPECT_EQ(ReadFile(SavePath("kept.txt")), "new");
    // A path that is a folder cannot be replaced by a file.
    EXPECT_FALSE(news_save::bWriteReplacing(sys.str(), "x", reason));
    EXPECT_FALSE(reason.empty());
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(sys.str()))
        ++entries;
    EXPECT_EQ(ReadFile(SavePath("kept.txt")), "new");
    EXPECT_EQ(entries, 3) << "the two site files and kept.txt";
}

// --- Printed pages -----------------------------------------------------------

struct PageCase {
    const char* name;
    int heightPixels;               // at 300 dots per inch
    std::vector<int> linesPerPage;  // a blank line, the dated first paragraph, 59 more
};
const PageCase kPages[] = {
    {"A4HoldsWhatFitsAbove49", 3508, {42, 19}},
    {"ATallPageStopsAt49", 7016, {49, 12}},
};

class PrintedPages : public ViewOutput, public ::testing::WithParamInterface<PageCase> {};

TEST_P(PrintedPages, HaveFramesEmblemTimeNumberLabelTitleAndAtMost49StoryLines) {
    AddServices();
    std::string story;
    for (int i = 0; i < 60; ++i)
        story += "第" + std::to_string(i) + "行@@@@";
    Add(1, "長篇新聞", story.c_str());
    Add(2, "沒有內文", "");
    auto view = OpenView();
    Select(*view, 0);  // serial 2: no story, nothing printed
    Select(*view, 1, true);
    RecordingDC::Device page = RecordingDC::A4Printer();
    page.heightPixels = GetParam().heightPixels;
    AnswerPrint(page);
    Command(*view, SKQNewsCtrlView::ID_PRINT_NEWS);
    ASSERT_EQ(prints, 1);
    EXPECT_FALSE(Printed("沒有內文")) << "an item without a story prints nothing";
    const std::size_t pages = GetParam().linesPerPage.size();
    EXPECT_EQ(Pages(), static_cast<int>(pages));
    int frames = 0;
    std::vector<int> linesPerPage;
    CRect storyFrame;
    for (const auto& r : printed) {
        if (r.op == RecordingDC::Op::StartPage)
            linesPerPage.push_back(0);
        if (r.op == RecordingDC::Op::Frame) {
            ++frames;
            storyFrame = r.rect;  // the last frame of a page is the story's
        }
        if (r.op == RecordingDC::Op::TextOut && r.text != "長篇新聞" && r.text != "新聞內容") {
            ++linesPerPage.back();
            EXPECT_LE(r.rect.bottom, storyFrame.bottom)
                << "inside the story frame: " << r.text.str();
        }
        if (r.op == RecordingDC::Op::TextOut || r.op == RecordingDC::Op::Text) {
            EXPECT_EQ(r.font, "Noto Sans CJK TC");
            EXPECT_EQ(r.fontHeight, 50) << "12 points at 300 dots per inch";
        }
    }
    EXPECT_EQ(linesPerPage, GetParam().linesPerPage);
    EXPECT_EQ(frames, static_cast<int>(pages) * 6)
        << "outer, body, footer, emblem, title and story frames a page";
    const auto texts = TextOuts();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), CString("長篇新聞")), static_cast<int>(pages))
        << "the whole title on every page";
    EXPECT_EQ(std::count(texts.begin(), texts.end(), CString("新聞內容")), static_cast<int>(pages));
    std::vector<CString> numbers, times;
    for (const auto& r : printed) {
        if (r.op == RecordingDC::Op::Text && r.format == (DT_CENTER | DT_VCENTER))
            numbers.push_back(r.text);
        if (r.op == RecordingDC::Op::Text && r.format == DT_VCENTER)
            times.push_back(r.text);
    }
    EXPECT_EQ(numbers, (std::vector<CString>{"1", "2"}));
    EXPECT_EQ(times, (std::vector<CString>(pages, "2024/03/08 10:00"))) << "the host clock";
}

INSTANTIATE_TEST_SUITE_P(Cases, PrintedPages, ::testing::ValuesIn(kPages),
                         [](const auto& p) { return std::string(p.param.name); });

TEST_F(ViewOutput, LongTitlesAndTheLabelNeverSplitACharacterOnPaper) {
    AddServices();
    std::string title = "x";
    for (int i = 0; i < 60; ++i)
        title += "股";
    Add(1, title.c_str(), "內文");
    auto view = OpenView();
    Select(*view, 0);
    AnswerPrint();
    context.OwnLanguage().SetText("IDS_NEWSCTRLVIEW_STRING_DETAILED_NEWS_DATA",
                                  "x新聞內容詳細資料");
    Command(*view, SKQNewsCtrlView::ID_PRINT_NEWS);
    const auto texts = TextOuts();
    ASSERT_GE(texts.size(), 3u);
    EXPECT_EQ(texts[0], "x新聞內容詳") << "11 columns: the next character would split at 12";
    EXPECT_EQ(texts[1].str(), title.substr(0, 1 + 39 * 3));
    EXPECT_EQ(texts[2].str(), title.substr(1 + 39 * 3));
}

}  // namespace

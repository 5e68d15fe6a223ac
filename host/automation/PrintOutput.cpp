// Reports on printing and saving: the jobs the current view's collectors
// hold, and the pages the last recorded print drew.
#include <fstream>
#include <ostream>
#include <sstream>

#include "CodePage.h"
#include "NewsViewInspection.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/CDC.h"

namespace automation::printing {
namespace {

std::string rectText(const CRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) +
           "x" + std::to_string(r.Height());
}

void jobsOf(Session& s, const char* name, int collector) {
    const auto jobs = s.Inspect().InspectOutputJobs(collector);
    s.Out() << name << ": " << jobs.size() << " waiting\n";
    for (std::size_t j = 0; j < jobs.size(); ++j) {
        s.Out() << "  job " << j + 1 << ":\n";
        for (const CInspectOutputItem& item : jobs[j]) {
            s.Out() << "    " << FormatKey(item.key) << " title "
                    << (item.bHeadline ? Quote(item.strTitle.str()) : std::string("missing"))
                    << ", story " << (item.bStory ? "at hand" : "missing") << '\n';
        }
    }
}

}  // namespace

void Jobs(Session& s, Args& a) {
    a.Finish();
    jobsOf(s, "print jobs", 0);
    jobsOf(s, "save jobs", 1);
}

void Pages(Session& s, Args& a) {
    a.Finish();
    const std::vector<RecordingDC::Record>& records = s.Ui().Person().PrintedRecords();
    int pages = 0;
    for (const auto& r : records)
        pages += r.op == RecordingDC::Op::StartPage ? 1 : 0;
    s.Out() << "pages: " << pages << '\n';
    for (const auto& r : records) {
        switch (r.op) {
            case RecordingDC::Op::StartDoc:
                s.Out() << "  document " << Quote(r.text.str()) << '\n';
                break;
            case RecordingDC::Op::StartPage:
                s.Out() << "  page\n";
                break;
            case RecordingDC::Op::Frame:
                s.Out() << "    frame " << rectText(r.rect) << '\n';
                break;
            case RecordingDC::Op::Fill:
                s.Out() << "    fill " << rectText(r.rect) << '\n';
                break;
            case RecordingDC::Op::Line:
                s.Out() << "    line " << r.rect.left << "," << r.rect.top << " to " << r.rect.right
                        << "," << r.rect.bottom << '\n';
                break;
            case RecordingDC::Op::Text:
            case RecordingDC::Op::TextOut:
                s.Out() << "    text " << Quote(r.text.str()) << " at " << rectText(r.rect) << '\n';
                break;
            default:
                break;
        }
    }
}

void File(Session& s, Args& a) {
    const std::string name = a.At(1, "a file name");
    a.Finish();
    std::ifstream in(s.FilePath(name), std::ios::binary);
    if (!in) {
        s.Out() << "file " << name << ": none\n";
        return;
    }
    std::stringstream content;
    content << in.rdbuf();
    const std::string bytes = content.str();
    const bool utf8 = codepage::IsValidUtf8(bytes);
    const std::string text = utf8 ? bytes : codepage::Cp950ToUtf8(bytes);
    s.Out() << "file " << name << ": " << bytes.size() << " bytes, " << (utf8 ? "UTF-8" : "Big5")
            << '\n';
    // One line a line, its line end shown as it is in the file.
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t lf = text.find('\n', at);
        const std::size_t end = lf == std::string::npos ? text.size() : lf + 1;
        s.Out() << "  " << Quote(text.substr(at, end - at)) << '\n';
        at = end;
    }
}

}  // namespace automation::printing

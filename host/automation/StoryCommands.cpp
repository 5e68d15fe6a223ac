// The story window: the current view's (opened as its menu command does,
// its buttons clicked, keys pressed, resized by the person) and the host's
// own (the story of a headline the host holds), and "print story".
#include <ostream>

#include "Commands.h"
#include "NewsStoryWindow.h"
#include "NewsViewInspection.h"
#include "PointerInput.h"
#include "Printing.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/controls/CButton.h"
#include "ui/controls/MyRichEdit.h"
#include "ui/controls/Utf8.h"

namespace automation {

namespace {

// The story window's controls (template 8065).
constexpr int kLabel = 8066, kPrev = 8067, kNext = 8068, kPrint = 8069, kSave = 8070, kPane = 8071;
constexpr UINT kShowStoryCommand = 5406;

struct ButtonName {
    const char* name;
    int id;
};
constexpr ButtonName kButtons[] = {
    {"prev", kPrev}, {"next", kNext}, {"print", kPrint}, {"save", kSave}};

INewsStoryWindow& viewStory(Session& s) {
    INewsStoryWindow* story = s.Inspect().pInspectStory();
    if (!story || !story->pStoryWindow() || !story->pStoryWindow()->IsWindow())
        throw ScriptError("the current view has no story window");
    return *story;
}

INewsStoryWindow& hostStory(Session& s) {
    INewsStoryWindow* story = s.HostStory().Window();
    if (!story)
        throw ScriptError("the host has shown no story yet: storywindow host KEY");
    return *story;
}

// "host" as the last word chooses the host's window.
INewsStoryWindow& chosenStory(Session& s, Args& a) {
    const bool host = a.Flag("host");
    a.Finish();
    return host ? hostStory(s) : viewStory(s);
}

void clickButton(CWnd& dialog, const std::string& name) {
    if (name == "close") {
        // The close box of the caption.
        RequireReachable(dialog, "the story window");
        dialog.SendMessage(WM_CLOSE);
        return;
    }
    for (const ButtonName& b : kButtons) {
        if (name != b.name)
            continue;
        auto* button = dynamic_cast<CButton*>(dialog.GetDlgItem(b.id));
        if (!button)
            throw ScriptError("the story window has no " + name + " button");
        RequireReachable(*button, "the " + name + " button");
        button->Click();
        return;
    }
    throw ScriptError("button '" + name + "': expected prev, next, print, save or close");
}

void storyWindowCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    Session& s = call.session;
    const std::string what = a.At(0, "open, click, key, resize, search or host");
    if (what == "open") {
        a.Finish();
        // As the host's menu sends the command to the view.
        s.CurrentView().SendMessage(WM_COMMAND, kShowStoryCommand, 0);
    } else if (what == "click") {
        const std::string button = a.At(1, "a button");
        clickButton(*chosenStory(s, a).pStoryWindow(), button);
    } else if (what == "key") {
        const KeyPress key = ParseKeyPress(a.At(1, "a key"));
        CWnd& dialog = *chosenStory(s, a).pStoryWindow();
        RequireReachable(dialog, "the story window");
        dialog.SendMessage(WM_KEYDOWN, key.key, 1);
    } else if (what == "resize") {
        const int width = static_cast<int>(ParseNumber(a.At(1, "a width"), 1, 10000, "width"));
        const int height = static_cast<int>(ParseNumber(a.At(2, "a height"), 1, 10000, "height"));
        CWnd& dialog = *chosenStory(s, a).pStoryWindow();
        const CRect& r = dialog.GetRect();
        dialog.MoveWindow(CRect(r.left, r.top, r.left + width, r.top + height));
    } else if (what == "search") {
        // What the view does with search results, until searching is built.
        const int mode = static_cast<int>(ParseNumber(a.At(1, "a mode"), 0, 6, "mode"));
        const int index = ParseInt(a.At(2, "a position"), "position");
        CSearch search;
        search.byScope =
            static_cast<BYTE>(ParseNumber(a.Option("scope").value_or("1"), 0, 2, "scope"));
        search.byMethod =
            static_cast<BYTE>(ParseNumber(a.Option("method").value_or("2"), 0, 2, "method"));
        for (std::size_t i = 3; const auto word = a.Optional(i); ++i)
            search.vecKeyword.emplace_back(*word);
        a.Finish();
        viewStory(s).vShowSearchResult(mode, index, search);
    } else if (what == "host") {
        const std::string which = a.At(1, "a headline key, or latest");
        a.Finish();
        std::string error;
        const bool shown = which == "latest"
                               ? s.HostStory().ShowLatest(error)
                               : s.HostStory().Show(ParseHeadlineKey(which, s.Now()), error);
        if (!shown)
            throw ScriptError(error);
    } else {
        throw ScriptError("storywindow " + what +
                          ": expected open, click, key, resize, search or host");
    }
}

std::string range(long start, long end) {
    return std::to_string(start) + "-" + std::to_string(end);
}

// "X,Y WxH" of a control in the window.
std::string place(const CWnd& control) {
    const CRect& r = control.GetRect();
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.Width()) +
           "x" + std::to_string(r.Height());
}

// Characters [start, end) of a text.
std::string rangeText(const std::string& text, long start, long end) {
    const int from = utf8::ByteOffset(text, static_cast<int>(start));
    const int to = utf8::ByteOffset(text, static_cast<int>(end));
    return text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(to - from));
}

}  // namespace

void AddStoryCommands(CommandTable& table) {
    table.Add("storywindow", storyWindowCommand);
}

namespace printing {

void Story(Session& s, Args& a) {
    const bool host = a.Flag("host");
    a.Finish();
    std::ostream& out = s.Out();
    const char* name = host ? "story host" : "story";
    INewsStoryWindow* story = host ? s.HostStory().Window() : s.Inspect().pInspectStory();
    if (!story || !story->pStoryWindow() || !story->pStoryWindow()->IsWindow()) {
        out << name << ": none\n";
        return;
    }
    CWnd& dialog = *story->pStoryWindow();
    const CRect& r = dialog.GetRect();
    out << name << ": " << (dialog.IsWindowVisible() ? "shown" : "hidden");
    if (story->bStoryHasView())
        out << ", mode " << story->iStoryFunctionID() << ", position " << story->iStoryIndex();
    else
        out << ", no view";
    out << ", " << r.Width() << "x" << r.Height() << '\n';
    out << "  title " << Quote(dialog.GetWindowText().str()) << '\n';
    if (CWnd* label = dialog.GetDlgItem(kLabel))
        out << "  label at " << place(*label) << ' ' << Quote(label->GetWindowText().str()) << '\n';
    if (auto* pane = dynamic_cast<MyRichEdit*>(dialog.GetDlgItem(kPane))) {
        out << "  pane at " << place(*pane) << ' ' << Quote(pane->GetWindowText().str()) << '\n';
        long start = 0, end = 0;
        pane->GetSel(start, end);
        out << "  selection " << (start == end ? std::string("none") : range(start, end))
            << (start != end && pane->IsSelectionShown() ? ", shown" : "") << '\n';
        out << "  marks";
        if (pane->GetMarks().empty())
            out << " none";
        const std::string text = pane->GetWindowText().str();
        for (const CHARRANGE& mark : pane->GetMarks())
            out << ' ' << range(mark.cpMin, mark.cpMax) << ' '
                << Quote(rangeText(text, mark.cpMin, mark.cpMax));
        out << '\n';
    }
    // The buttons the window shows (whether or not the window itself is shown).
    out << "  buttons";
    bool any = false;
    for (const ButtonName& b : kButtons) {
        CWnd* button = dialog.GetDlgItem(b.id);
        if (button && (button->GetStyle() & WS_VISIBLE)) {
            out << (any ? ", " : " ") << b.name << " at " << place(*button);
            any = true;
        }
    }
    out << (any ? "\n" : " none\n");
}

}  // namespace printing

}  // namespace automation

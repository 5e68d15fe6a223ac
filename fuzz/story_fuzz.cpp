// libFuzzer target for the story texts: the content conversion of the story
// window and the 80-column line cutting that saving and printing share.
// Nothing may be lost or made up, no line may pass 80 columns, and no cut may
// split a character.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "CodePage.h"
#include "HostApi.h"
#include "NewsOutput.h"
#include "NewsSave.h"
#include "StoryText.h"

namespace {

void check(bool holds) {
    if (!holds)
        std::abort();
}

std::string without(std::string_view text, std::string_view drop) {
    std::string out;
    for (char c : text) {
        if (drop.find(c) == std::string_view::npos)
            out += c;
    }
    return out;
}

std::string replaced(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// A piece cut from valid text is valid text: the cut never splits a character.
void checkPiece(std::string_view piece, bool validWhole) {
    check(codepage::DisplayWidth(piece) <= news_output::kLineColumns);
    if (validWhole)
        check(codepage::IsValidUtf8(piece));
}

void checkContent(const std::string& text) {
    CString content{text};
    story_text::vConvertContent(content);
    // Line breaks go, "@@@@" become CR LF: undone, that is the text without
    // its CRs and LFs.
    check(replaced(content.str(), "\r\n", "@@@@") == without(text, "\r\n"));
}

void checkStoryLines(const std::string& text) {
    const bool valid = codepage::IsValidUtf8(text);
    CString rest{text};
    std::string joined;
    while (!rest.IsEmpty()) {
        const std::size_t before = rest.str().size();
        const CString line = news_output::cszTakeStoryLine(rest);
        check(!line.IsEmpty() && rest.str().size() + line.str().size() == before);
        const std::size_t lf = line.str().find('\n');
        check(lf == std::string::npos || lf + 1 == line.str().size());
        checkPiece(line.str(), valid);
        joined += line.str();
    }
    check(joined == text);
}

void checkTitleLines(const std::string& title) {
    const bool valid = codepage::IsValidUtf8(title);
    const std::vector<CString> lines = news_output::vecTitleLines(CString(title));
    check(!lines.empty());
    std::string joined;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        checkPiece(lines[i].str(), valid);
        check(i + 1 == lines.size() || !lines[i].IsEmpty());
        joined += lines[i].str();
    }
    check(joined == title);
}

void checkSavedText(const std::string& title, const std::string& story) {
    CNewsOutputItem item;
    item.key.dwSerial = 7;
    item.strTitle = CString(title);
    item.strStory = CString(story);
    item.bHeadline = item.bStory = 1;
    const std::string file = news_save::strFileText(CNewsOutputJob{item});
    // Every LF of the file ends a CR LF pair, and no line is wider than 80
    // columns after the label that may begin it.
    const int label = std::max(
        codepage::DisplayWidth(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWS_TITLE").str()),
        codepage::DisplayWidth(s_LangGetLangString("IDS_NEWSCTRLVIEW_NEWS_STORY").str()));
    std::size_t start = 0;
    for (std::size_t at = file.find('\n'); at != std::string::npos; at = file.find('\n', at + 1)) {
        check(at > 0 && file[at - 1] == '\r');
        check(codepage::DisplayWidth(std::string_view(file).substr(start, at - 1 - start)) <=
              news_output::kLineColumns + label);
        start = at + 1;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    checkContent(text);
    checkStoryLines(text);
    checkTitleLines(text);

    // The dated story as saving and printing prepare it, then cut.
    CStory story;
    story.tTime = 1796346000;
    story.strStory = CString(text);
    checkStoryLines(news_output::cszDatedStory(story).str());

    const std::size_t split = text.find('\0');
    if (split != std::string::npos)
        checkSavedText(text.substr(0, split), text.substr(split + 1));
    else
        checkSavedText(text, text);
    return 0;
}

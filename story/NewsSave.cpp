// The saved file.
#include "NewsSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "CodePage.h"
#include "HostApi.h"
#include "StoryText.h"
#include "ui/CWnd.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"

namespace news_save {
namespace {

// One convention for every line end of the file: CR LF.
std::string withCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r') {
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
            out += "\r\n";
        } else if (c == '\n') {
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

UserServices* person(CWnd* parent) {
    WindowSystem* system = parent ? parent->GetWindowSystem() : nullptr;
    return system ? &system->GetFrontEnd().Person() : nullptr;
}

CString text(const char* key, const char* field, const std::string& value) {
    CString out = s_LangGetLangString(key);
    out.Replace(field, value.c_str());
    return out;
}

}  // namespace

std::string strFileText(const CNewsOutputJob& job) {
    std::string out;
    for (const CNewsOutputItem& item : job) {
        out += CString::Formatted(" %s %d", s_LangGetLangString("IDS_NEWSCTRLVIEW_NEWS_NO").c_str(),
                                  item.key.dwSerial)
                   .str();
        out += "\n\n";
        out += s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWS_TITLE").str();
        CString title = item.strTitle;
        story_text::vApplySimplified(0, title);
        const std::vector<CString> lines = news_output::vecTitleLines(title);
        for (std::size_t i = 0; i < lines.size(); ++i)
            out += lines[i].str() + (i + 1 < lines.size() ? "\n" : "\n\n");
        out += s_LangGetLangString("IDS_NEWSCTRLVIEW_NEWS_STORY").str();
        CString rest = item.strStory;
        story_text::vApplySimplified(0, rest);
        rest += "\n\n";
        while (codepage::CutToWidth(rest.str(), news_output::kLineColumns).size() <
               rest.str().size())
            out += news_output::cszTakeStoryLine(rest).str() + "\r\n";
        out += rest.str();
        out += std::string(news_output::kLineColumns, '-') + "\n";
    }
    return withCrLf(out);
}

bool bWriteReplacing(const std::string& path, const std::string& bytes, std::string& reason) {
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
    std::string temp = (slash == std::string::npos ? "" : folder + "/") + ".news-save-XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    if (!ok)
        reason = std::strerror(errno);
    // The file gets the permissions a newly created file would have.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
    if (::close(fd) != 0 && ok) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), path.c_str()) != 0) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (!ok)
        ::unlink(temp.c_str());
    return ok;
}

void vSaveJob(CWnd* parent, CNewsOutputJob& job) {
    UserServices* services = person(parent);
    if (!services)
        return;
    FileDialogRequest request;
    const CString kind = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_FILE_FILTER");
    request.filter = kind + "(*.txt)|*.txt|" + kind + "Big5 (*.txt)|*.txt||";
    request.defaultExtension = "txt";
    request.flags = 0x404;
    const std::optional<FileChoice> choice = services->SaveFileChoice(parent, request);
    if (!choice)
        return;
    const std::string& path = choice->path;
    const CString caption = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWSSAVE");
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 &&
        services->MessageBox(parent,
                             text("IDS_NEWSCTRLVIEW_STRING_FILE_REPLACE", "{file}",
                                  path.substr(path.rfind('/') + 1)),
                             caption, MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    std::string bytes = strFileText(job);
    if (choice->filterIndex == 1) {
        std::string missing;
        const std::optional<std::string> big5 = codepage::Utf8ToCp950Exact(bytes, &missing);
        if (big5) {
            bytes = *big5;
        } else if (services->MessageBox(
                       parent, text("IDS_NEWSCTRLVIEW_STRING_BIG5_MISSING", "{char}", missing),
                       caption, MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
            return;
        }
    }
    std::string reason;
    if (!bWriteReplacing(path, bytes, reason)) {
        CString message = text("IDS_NEWSCTRLVIEW_STRING_FILE_WRITE_FAILED", "{file}", path);
        message.Replace("{reason}", reason.c_str());
        services->MessageBox(parent, message, caption, MB_OK | MB_ICONEXCLAMATION);
    }
}

}  // namespace news_save

// Jobs and the line rules of printed and saved news.
#include "NewsOutput.h"

#include <algorithm>
#include <ctime>

#include "CodePage.h"
#include "NewsApi.h"
#include "StoryText.h"

namespace news_output {

bool bIsComplete(const CNewsOutputJob& job) {
    return std::all_of(job.begin(), job.end(), [](const CNewsOutputItem& item) {
        return item.bHeadline == 1 && item.bStory == 1;
    });
}

bool bFillTitles(std::vector<CNewsOutputJob*> jobs, const std::vector<CHeadline>& records) {
    bool filled = false;
    for (const CHeadline& record : records) {
        if (record.byDeleted != 0)
            continue;
        for (CNewsOutputJob* job : jobs) {
            for (CNewsOutputItem& item : *job) {
                if (!IsSameHeadline(item.key, record.Key()))
                    continue;
                item.strTitle = record.strTitle;
                item.bHeadline = 1;
                filled = true;
            }
        }
    }
    return filled;
}

std::vector<CHeadline> vecFetchHeadlines(const std::vector<CHeadlineTable>& keys) {
    std::vector<BYTE> services;
    for (const CHeadlineTable& key : keys) {
        if (std::find(services.begin(), services.end(), key.byService) == services.end())
            services.push_back(key.byService);
    }
    std::vector<CHeadline> records;
    for (BYTE service : services) {
        std::vector<CHeadlineTable> own;
        for (const CHeadlineTable& key : keys) {
            if (key.byService == service)
                own.push_back(key);
        }
        NEWS_iGetHeadline(service, records, own);
    }
    return records;
}

CString cszDatedStory(const CStory& story) {
    // A headline without a story has nothing to print, not even its date.
    if (story.strStory.IsEmpty())
        return {};
    const std::time_t t = story.tTime;
    std::tm local{};
    localtime_r(&t, &local);
    CString text;
    text.Format("@@@@%4d/%02d/%2d %02d:%02d:%02d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    text += story.strStory;
    story_text::vConvertContent(text);
    return text;
}

CString cszTakeStoryLine(CString& rest) {
    const std::string& all = rest.str();
    std::string_view piece = codepage::CutToWidth(all, kLineColumns);
    if (piece.empty() && !all.empty())  // a lone bad byte wider than nothing
        piece = std::string_view(all).substr(0, 1);
    const std::size_t lf = piece.find('\n');
    if (lf != std::string_view::npos)
        piece = piece.substr(0, lf + 1);
    CString line{std::string(piece)};
    rest = CString(all.substr(piece.size()));
    return line;
}

std::vector<CString> vecTitleLines(const CString& title) {
    std::vector<CString> lines;
    std::string_view rest = title.str();
    while (codepage::DisplayWidth(rest) > kLineColumns) {
        const std::string_view piece = codepage::CutToWidth(rest, kLineColumns);
        lines.emplace_back(std::string(piece));
        rest.remove_prefix(piece.size());
    }
    lines.emplace_back(std::string(rest));
    return lines;
}

}  // namespace news_output

// The printed page. Sizes come from the device: millimetres through its
// pixel and millimetre sizes, the body's 12-point font through its
// pixels per inch.
#include "NewsPrint.h"

#include <algorithm>

#include "CFont.h"
#include "CTime.h"
#include "CodePage.h"
#include "HostApi.h"
#include "ui/CDC.h"
#include "ui/CWnd.h"
#include "ui/PrintEmblem.h"
#include "ui/UserServices.h"
#include "ui/WindowSystem.h"

namespace news_print {
namespace {

int mulDiv(int a, int b, int c) {
    return c == 0 ? 0 : static_cast<int>(static_cast<long long>(a) * b / c);
}

CString currentTime() {
    return CTime::GetCurrentTime().Format("%Y/%m/%d %H:%M");
}

struct Page {
    int W, H, mmX, mmY, L;
};

// Frames, emblem, time and page number; returns the title frame.
CRect drawFurniture(CDC& dc, const Page& p, int pageNo) {
    const CBrush black(RGB(0, 0, 0));
    dc.FrameRect(CRect(5 * p.mmX - p.mmY, 5 * p.mmY - p.mmY, p.W - 5 * p.mmX + p.mmY,
                       p.H - 5 * p.mmY + p.mmY),
                 &black);
    dc.FrameRect(CRect(5 * p.mmX, 5 * p.mmY, p.W - 5 * p.mmX, p.H - 5 * p.mmY - 10 * p.mmY - p.mmY),
                 &black);
    const CRect footer(5 * p.mmX, p.H - 15 * p.mmY, p.W - 5 * p.mmX, p.H - 5 * p.mmY);
    dc.FrameRect(footer, &black);
    const int h = 2 * p.mmY / 2;
    const CRect logo(footer.left + h, footer.top + h, 5 * p.mmX + 30 * p.mmY - h,
                     footer.bottom - h);
    s_PrinQuentaLogo(&dc, logo);

    CRect timeBox;
    {
        ScopedDcState state(dc);
        dc.SetBkColor(RGB(255, 255, 255));
        dc.SetTextColor(RGB(0, 0, 0));
        const CString time = currentTime();
        const CSize size = dc.GetTextExtent(time);
        timeBox = CRect(footer.right - 2 * p.mmY - size.cx, footer.top + 2 * (2 * p.mmY),
                        footer.right - 2 * p.mmY, footer.top + 2 * (2 * p.mmY) + size.cy);
        dc.DrawText(time, &timeBox, DT_VCENTER);
        // The number's box spans the emblem and the time: fill nothing of it.
        dc.SetBkMode(TRANSPARENT);
        CRect numberBox(logo.left, logo.top, timeBox.right, timeBox.bottom);
        dc.DrawText(CString::Formatted("%d", pageNo), &numberBox, DT_CENTER | DT_VCENTER);
    }
    const CRect title(5 * p.mmX + p.mmY, 5 * p.mmY + p.mmY, p.W - 5 * p.mmX - p.mmY,
                      p.H / 4 + p.mmY);
    dc.FrameRect(title, &black);
    const CString label = s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_DETAILED_NEWS_DATA");
    dc.TextOut(2 * (p.W / 5), 0,
               CString(std::string(codepage::CutToWidth(label.str(), news_output::kLabelColumns))));
    return title;
}

}  // namespace

void vPrintOn(CDC& dc, const CNewsOutputJob& job) {
    if (dc.StartDoc(s_LangGetLangString("IDS_NEWSCTRLVIEW_STRING_NEWSPRINT")) <= 0)
        return;
    // The page's font for everything printed: 12 points of the language's face.
    LOGFONT log;
    log.lfHeight = -mulDiv(12, dc.GetDeviceCaps(LOGPIXELSY), 72);
    log.lfWeight = 400;
    log.lfCharSet = 136;
    const CString face = s_LangGetLangString("IDS_SINGLETON-STRING_FONTNAME");
    const std::string_view faceCut = codepage::CutToBytes(face.str(), 31);
    std::copy(faceCut.begin(), faceCut.end(), log.lfFaceName);
    CFont font;
    font.CreateFontIndirect(log);
    ScopedDcState state(dc);
    dc.SelectObject(&font);
    dc.SetBkColor(RGB(255, 255, 255));
    dc.SetTextColor(RGB(0, 0, 0));

    for (const CNewsOutputItem& item : job) {
        if (item.strStory.IsEmpty())
            continue;
        CString rest = item.strStory;
        for (int pageNo = 1; !rest.IsEmpty(); ++pageNo) {
            dc.StartPage();
            TEXTMETRIC tm;
            dc.GetTextMetrics(&tm);
            Page p{dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES),
                   mulDiv(1, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(HORZSIZE)),
                   mulDiv(1, dc.GetDeviceCaps(VERTRES), dc.GetDeviceCaps(VERTSIZE)),
                   tm.tmHeight + tm.tmExternalLeading};
            const CRect title = drawFurniture(dc, p, pageNo);
            int y = title.top + p.L;
            for (const CString& line : news_output::vecTitleLines(item.strTitle)) {
                dc.TextOut(title.left + p.mmY, y, line);
                y += p.L;
            }
            const CRect story(title.left, title.bottom, title.right,
                              p.H - 5 * p.mmY - 10 * p.mmY - p.mmY - p.mmY);
            const CBrush black(RGB(0, 0, 0));
            dc.FrameRect(story, &black);
            y = story.top + p.L;
            // At most 49 lines, and no more than the frame holds: a large
            // font on a small page would run over the footer.
            const int fit = p.L > 0 ? (story.Height() - p.L) / p.L : 0;
            const int lines = std::max(1, std::min(news_output::kPageStoryLines, fit));
            for (int n = 0; n < lines && !rest.IsEmpty(); ++n) {
                CString line = news_output::cszTakeStoryLine(rest);
                // A line's own break is the move to the next line, not text.
                line.TrimRight("\r\n");
                dc.TextOut(story.left + p.mmY, y, line);
                y += p.L;
            }
            dc.EndPage();
        }
    }
    dc.EndDoc();
}

void vPrintJob(CWnd* parent, CNewsOutputJob& job) {
    WindowSystem* system = parent ? parent->GetWindowSystem() : nullptr;
    if (!system)
        return;
    std::unique_ptr<CDC> dc = system->GetFrontEnd().Person().Print(parent);
    if (!dc)
        return;
    vPrintOn(*dc, job);
}

}  // namespace news_print

#pragma once
// What the tests of the terminal share: a small recorded feed (two past
// headlines, a live day of a few), and the log the test double of the view
// module keeps of the calls it got (its sheet of mode 6).
#include <fstream>
#include <string>
#include <vector>

#include "CTime.h"
#include "NewsViewInspection.h"
#include "feed/FeedWriter.h"
#include "framework/SKQBaseView.h"
#include "ui/grid/CGridoraWnd.h"

inline constexpr const char* kTestDoubleClass = "TestDoubleNewsView";

// Writes the feed; the live day is 2026-12-04, each record due at its time.
inline void WriteSmallFeed(const std::string& path, int liveHeadlines = 3) {
    std::ofstream out(path, std::ios::binary);
    feed::FeedWriter writer(out);
    writer.WriteHeader();
    auto write = [&](std::optional<std::int64_t> due, feed::FeedPayload payload) {
        writer.Write(feed::FeedRecord{due, std::move(payload)});
    };
    write(std::nullopt, feed::ServiceRecord{49, 20261203, "晨曦財經通訊社", "晨曦"});
    write(std::nullopt, feed::ServiceRecord{50, 20261203, "瀚海經濟新聞網", "瀚海"});
    write(std::nullopt, feed::CategoryRecord{49, "11", "營收快報"});
    write(std::nullopt, feed::MarketRecord{16, "TS", "集中市場"});
    write(std::nullopt, feed::SymbolRecord{16, "2345", "晶昇科", "", "", ""});
    feed::HeadlineRecord past;
    past.service = 49;
    past.time = static_cast<std::int32_t>(CTime(2026, 12, 3, 10, 0, 0).GetTime());
    past.serial = 1;
    past.categoryId = "11";
    past.title = "昨日營收";
    write(std::nullopt, past);
    const std::int64_t open = CTime(2026, 12, 4, 0, 0, 0).GetTime();
    write(open, feed::NewsDayRecord{49, 20261204});
    write(open, feed::NewsDayRecord{50, 20261204});
    for (int i = 0; i < liveHeadlines; ++i) {
        feed::HeadlineRecord h;
        h.service = static_cast<BYTE>(i % 2 ? 50 : 49);
        h.time = static_cast<std::int32_t>(CTime(2026, 12, 4, 8, 0, i).GetTime());
        h.serial = static_cast<std::uint32_t>(i + 1);
        h.categoryId = "11";
        h.symbols = {"2345"};
        h.title = CString("晶昇科快訊 ") + CString(std::to_string(i));
        write(h.time, h);
    }
}

// The small feed with two malformed lines, the 2nd and the 4th of the file.
inline void WriteSmallFeedWithBadLines(const std::string& path) {
    WriteSmallFeed(path);
    std::ifstream in(path, std::ios::binary);
    std::string header, rest, line;
    std::getline(in, header);
    std::getline(in, line);
    rest = line + "\n";
    std::getline(in, line);
    rest += "headline\t\tbroken\n" + line + "\n";
    for (std::string more; std::getline(in, more);)
        rest += more + "\n";
    in.close();
    std::ofstream(path, std::ios::binary) << header << "\nnonsense\t\t1\n" << rest;
}

// The calls the test double logged, oldest first.
inline std::vector<std::string> LogOf(SKQBaseView& view) {
    std::vector<std::string> lines;
    auto* inspection = dynamic_cast<INewsViewInspection*>(&view);
    if (!inspection || !inspection->pInspectSheet(6))
        return lines;
    const CGridoraWnd& sheet = *inspection->pInspectSheet(6);
    for (int row = 0; row < sheet.iGetTotalRows(); ++row) {
        CString cell;
        sheet.vGetGridContent(row, 0, cell);
        lines.push_back(cell.str());
    }
    return lines;
}

inline bool Logged(SKQBaseView& view, const std::string& prefix) {
    for (const std::string& line : LogOf(view)) {
        if (line.rfind(prefix, 0) == 0)
            return true;
    }
    return false;
}

#pragma once
// The headlines of one print or save request and the text rules both
// outputs share: story lines of at most 80 columns that never split a
// character (a Chinese character counts two, as in Big5), cut after a line
// break.
#include <vector>

#include "CString.h"
#include "NewsRecords.h"
#include "WinTypes.h"

// One headline of a job.
struct CNewsOutputItem {
    CHeadlineTable key;
    CString strTitle;
    CString strStory;  // prepared for output once known
    BYTE bHeadline = 0;
    BYTE bStory = 0;
};

// The items in the order of the selection.
using CNewsOutputJob = std::vector<CNewsOutputItem>;

namespace news_output {

inline constexpr int kLineColumns = 80;
inline constexpr int kPageStoryLines = 49;
inline constexpr int kLabelColumns = 12;

// Every item has its title and its story (a job without items is complete).
bool bIsComplete(const CNewsOutputJob& job);

// Puts the titles of `records` into the items of `jobs` that are the same
// headline; withdrawn records fill nothing. Returns whether any item took one.
bool bFillTitles(std::vector<CNewsOutputJob*> jobs, const std::vector<CHeadline>& records);

// Asks each distinct service of `keys` for the records of its keys.
std::vector<CHeadline> vecFetchHeadlines(const std::vector<CHeadlineTable>& keys);

// The story as printed, and as saved when it arrives later: a line break,
// "YYYY/MM/ D hh:mm:ss" (the day padded with a blank) and the story text,
// its own line breaks removed and "@@@@" turned into CR LF. Empty for a
// headline without a story.
CString cszDatedStory(const CStory& story);

// Removes the next line of `rest` and returns it: at most 80 columns, never
// splitting a character, cut just after the first LF it holds.
CString cszTakeStoryLine(CString& rest);

// A title in pieces of at most 80 columns, never splitting a character; an
// empty title gives one empty piece.
std::vector<CString> vecTitleLines(const CString& title);

}  // namespace news_output

#pragma once
// Marked parts of a cell's text: the grid draws them in its mark colours, so
// an owner can show why a row is there (the words a search found, say).
// Marks are byte ranges of the cell's UTF-8 text.
#include <vector>

#include "CString.h"

struct GridMark {
    int begin = 0;   // byte offset in the cell's text
    int length = 0;  // bytes
    bool operator==(const GridMark&) const = default;
};

// The marks as the grid keeps them for `text`: cut to the text, widened to
// whole characters (a mark never splits a UTF-8 sequence), sorted, with
// overlapping and touching marks joined and empty ones dropped.
std::vector<GridMark> NormaliseGridMarks(const CString& text, std::vector<GridMark> marks);

// A cell's text in the order it is drawn: unmarked and marked pieces.
struct GridTextPiece {
    CString text;
    bool marked = false;
};
// `marks` as NormaliseGridMarks leaves them.
std::vector<GridTextPiece> SplitMarkedText(const CString& text, const std::vector<GridMark>& marks);

// The text with each marked part between `open` and `close`, for reports
// that show marks as text.
CString BracketMarkedText(const CString& text, const std::vector<GridMark>& marks, const char* open,
                          const char* close);

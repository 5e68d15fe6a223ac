#include "GridMarks.h"

#include <algorithm>

namespace {

bool isContinuation(const std::string& text, int at) {
    return at > 0 && at < static_cast<int>(text.size()) &&
           (static_cast<unsigned char>(text[static_cast<std::size_t>(at)]) & 0xC0) == 0x80;
}

}  // namespace

std::vector<GridMark> NormaliseGridMarks(const CString& text, std::vector<GridMark> marks) {
    const std::string& bytes = text.str();
    const int size = static_cast<int>(bytes.size());
    std::vector<GridMark> kept;
    for (GridMark mark : marks) {
        if (mark.length <= 0 || mark.begin >= size)
            continue;
        int begin = std::max(mark.begin, 0);
        // Cut first, so a huge length cannot overflow the end.
        int end = mark.begin + std::min(mark.length, size - mark.begin);
        while (isContinuation(bytes, begin))
            --begin;
        while (isContinuation(bytes, end))
            ++end;
        if (end > begin)
            kept.push_back({begin, end - begin});
    }
    std::sort(kept.begin(), kept.end(),
              [](const GridMark& a, const GridMark& b) { return a.begin < b.begin; });
    std::vector<GridMark> joined;
    for (const GridMark& mark : kept) {
        if (!joined.empty() && mark.begin <= joined.back().begin + joined.back().length) {
            const int end =
                std::max(joined.back().begin + joined.back().length, mark.begin + mark.length);
            joined.back().length = end - joined.back().begin;
        } else {
            joined.push_back(mark);
        }
    }
    return joined;
}

std::vector<GridTextPiece> SplitMarkedText(const CString& text,
                                           const std::vector<GridMark>& marks) {
    std::vector<GridTextPiece> pieces;
    int at = 0;
    for (const GridMark& mark : marks) {
        if (mark.begin > at)
            pieces.push_back({text.Mid(at, mark.begin - at), false});
        pieces.push_back({text.Mid(mark.begin, mark.length), true});
        at = mark.begin + mark.length;
    }
    if (at < text.GetLength())
        pieces.push_back({text.Mid(at), false});
    return pieces;
}

CString BracketMarkedText(const CString& text, const std::vector<GridMark>& marks, const char* open,
                          const char* close) {
    CString out;
    for (const GridTextPiece& piece : SplitMarkedText(text, marks)) {
        if (piece.marked)
            out += open;
        out += piece.text;
        if (piece.marked)
            out += close;
    }
    return out;
}

#include "TextMeasure.h"

#include <algorithm>

#include "CodePage.h"

namespace tabtext {

std::vector<CString> SplitLines(const CString& text) {
    std::vector<CString> lines;
    const std::string& s = text.str();
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = s.find('\n', start);
        std::string line =
            s.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.emplace_back(std::move(line));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return lines;
}

CSize EstimateLine(const CString& line, const CFont* font) {
    const int height = FontPixelHeight(font);
    return {codepage::DisplayWidth(line.str()) * height / 2, height};
}

CSize EstimateBlock(const CString& text, const CFont* font) {
    CSize block;
    for (const CString& line : SplitLines(text)) {
        const CSize size = EstimateLine(line, font);
        block.cx = std::max(block.cx, size.cx);
        block.cy += size.cy;
    }
    return block;
}

}  // namespace tabtext

#include "CFont.h"

#include <cstdlib>

#include "CodePage.h"

namespace {
constexpr int kScreenDpi = 96;

void setFace(LOGFONT& log, std::string_view face) {
    const auto cut = codepage::CutToBytes(face, static_cast<int>(sizeof log.lfFaceName) - 1);
    std::memset(log.lfFaceName, 0, sizeof log.lfFaceName);
    std::memcpy(log.lfFaceName, cut.data(), cut.size());
}
}  // namespace

CFont::CFont(const CString& face, int pointSize, int weight, BYTE charSet)
    : m_pointSize(pointSize) {
    m_log.lfHeight = -(pointSize * kScreenDpi + 36) / 72;
    m_log.lfWeight = weight;
    m_log.lfCharSet = charSet;
    setFace(m_log, face.str());
}

bool CFont::CreateFontIndirect(const LOGFONT& font) {
    m_log = font;
    m_log.lfFaceName[sizeof m_log.lfFaceName - 1] = '\0';
    m_pointSize = (std::abs(font.lfHeight) * 72 + kScreenDpi / 2) / kScreenDpi;
    return true;
}

int CFont::GetLogFont(LOGFONT* font) const {
    if (!font)
        return 0;
    *font = m_log;
    return static_cast<int>(sizeof(LOGFONT));
}

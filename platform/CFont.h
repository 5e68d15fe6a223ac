#pragma once
// A font description as the view hands it to controls and devices: face,
// height, weight and character set. Front ends turn it into a real font.
#include <cstring>

#include "CString.h"
#include "WinTypes.h"

struct LOGFONT {
    int lfHeight = 0;  // negative: character height in pixels; positive: cell height
    int lfWidth = 0;
    int lfWeight = 400;  // 400 normal, 700 bold
    BYTE lfItalic = 0;
    BYTE lfCharSet = 1;  // 1 default, 136 Chinese Big5
    char lfFaceName[32] = {};
};

class CFont {
  public:
    CFont() = default;
    // Face names longer than 31 bytes are cut on a character boundary.
    CFont(const CString& face, int pointSize, int weight = 400, BYTE charSet = 1);

    bool CreateFontIndirect(const LOGFONT& font);
    int GetLogFont(LOGFONT* font) const;
    const LOGFONT& GetLogFont() const { return m_log; }

    CString GetFaceName() const { return CString(m_log.lfFaceName); }
    // Point size the font was described with (at 96 pixels per inch when built
    // from a LOGFONT).
    int GetPointSize() const { return m_pointSize; }
    int GetWeight() const { return m_log.lfWeight; }

  private:
    LOGFONT m_log;
    int m_pointSize = 0;
};

#include "CDC.h"

#include <algorithm>
#include <cstdlib>

#include "CodePage.h"

const CBrush& CBrush::Black() {
    static const CBrush brush(RGB(0, 0, 0));
    return brush;
}

const CBrush& CBrush::White() {
    static const CBrush brush(RGB(255, 255, 255));
    return brush;
}

int CDC::StartDoc(const CString&) {
    return -1;
}
int CDC::EndDoc() {
    return -1;
}
int CDC::AbortDoc() {
    return -1;
}
int CDC::StartPage() {
    return -1;
}
int CDC::EndPage() {
    return -1;
}

int FontPixelHeight(const CFont* font) {
    if (!font || font->GetLogFont().lfHeight == 0)
        return 12;
    return std::abs(font->GetLogFont().lfHeight);
}

RecordingDC::Device RecordingDC::A4Printer() {
    Device d;
    d.dpiX = d.dpiY = 300;
    d.widthPixels = 2480;   // 210 mm
    d.heightPixels = 3508;  // 297 mm
    d.printer = true;
    return d;
}

RecordingDC::Record RecordingDC::make(Op op) const {
    Record r{op, {}, {}, 0, GetBkColor(), 0, {}, 0};
    if (const CFont* font = GetCurrentFont()) {
        r.font = font->GetFaceName().str();
        r.fontHeight = FontPixelHeight(font);
    }
    return r;
}

void RecordingDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    Record r = make(Op::Fill);
    r.rect = rect;
    r.colour = colour;
    m_records.push_back(std::move(r));
}

void RecordingDC::FrameRect(const CRect& rect, const CBrush* brush) {
    Record r = make(Op::Frame);
    r.rect = rect;
    r.colour = brush ? brush->GetColor() : 0;
    m_records.push_back(std::move(r));
}

void RecordingDC::DrawLine(CPoint from, CPoint to, COLORREF colour) {
    Record r = make(Op::Line);
    r.rect = CRect(from.x, from.y, to.x, to.y);
    r.colour = colour;
    m_records.push_back(std::move(r));
}

// Text is measured as a terminal font would be: ASCII half as wide as the
// font is high, every other character as wide as it is high.
CSize RecordingDC::GetTextExtent(const CString& text) const {
    const int height = FontPixelHeight(GetCurrentFont());
    const int columns = codepage::DisplayWidth(text.str());
    return {columns * height / 2, height};
}

bool RecordingDC::GetTextMetrics(TEXTMETRIC* metrics) const {
    if (!metrics)
        return false;
    const int height = FontPixelHeight(GetCurrentFont());
    metrics->tmHeight = height;
    metrics->tmAscent = height * 4 / 5;
    metrics->tmDescent = height - metrics->tmAscent;
    metrics->tmInternalLeading = 0;
    metrics->tmExternalLeading = std::max(1, height / 8);
    metrics->tmAveCharWidth = height / 2;
    metrics->tmMaxCharWidth = height;
    return true;
}

int RecordingDC::GetDeviceCaps(int index) const {
    switch (index) {
        case HORZRES:
            return m_device.widthPixels;
        case VERTRES:
            return m_device.heightPixels;
        case LOGPIXELSX:
            return m_device.dpiX;
        case LOGPIXELSY:
            return m_device.dpiY;
        case HORZSIZE:
            return m_device.widthPixels * 254 / (m_device.dpiX * 10);
        case VERTSIZE:
            return m_device.heightPixels * 254 / (m_device.dpiY * 10);
        default:
            return 0;
    }
}

int RecordingDC::DrawText(const CString& text, CRect* rect, UINT format) {
    if (!rect)
        return 0;
    const CSize extent = GetTextExtent(text);
    if (format & DT_CALCRECT) {
        rect->right = rect->left + extent.cx;
        rect->bottom = rect->top + extent.cy;
        return extent.cy;
    }
    Record r = make(Op::Text);
    r.rect = *rect;
    r.text = text;
    r.colour = GetTextColor();
    r.format = format;
    m_records.push_back(std::move(r));
    return extent.cy;
}

bool RecordingDC::TextOut(int x, int y, const CString& text) {
    Record r = make(Op::TextOut);
    const CSize extent = GetTextExtent(text);
    r.rect = CRect(x, y, x + extent.cx, y + extent.cy);
    r.text = text;
    r.colour = GetTextColor();
    m_records.push_back(std::move(r));
    return true;
}

std::vector<CString> RecordingDC::Texts() const {
    std::vector<CString> texts;
    for (const auto& r : m_records) {
        if (r.op == Op::Text || r.op == Op::TextOut)
            texts.push_back(r.text);
    }
    return texts;
}

int RecordingDC::StartDoc(const CString& documentName) {
    if (!m_device.printer || m_inDoc || m_failStartDoc)
        return -1;
    m_inDoc = true;
    Record r = make(Op::StartDoc);
    r.text = documentName;
    m_records.push_back(std::move(r));
    return 1;
}

int RecordingDC::EndDoc() {
    if (!m_inDoc)
        return -1;
    if (m_inPage)
        EndPage();
    m_inDoc = false;
    m_records.push_back(make(Op::EndDoc));
    return 1;
}

int RecordingDC::AbortDoc() {
    if (!m_inDoc)
        return -1;
    m_inDoc = m_inPage = false;
    m_records.push_back(make(Op::AbortDoc));
    return 1;
}

int RecordingDC::StartPage() {
    if (!m_inDoc || m_inPage)
        return -1;
    m_inPage = true;
    ++m_pages;
    m_records.push_back(make(Op::StartPage));
    return 1;
}

int RecordingDC::EndPage() {
    if (!m_inPage)
        return -1;
    m_inPage = false;
    m_records.push_back(make(Op::EndPage));
    return 1;
}

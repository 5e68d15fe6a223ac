#pragma once
// Device contexts: what windows and printing draw through. Front ends supply
// the real ones (a QPainter on a widget or a printer); RecordingDC keeps every
// operation so tests can see what was drawn, and measures text the same way
// every time.
#include <string>
#include <vector>

#include "CFont.h"
#include "CString.h"
#include "Geometry.h"
#include "WinDefs.h"

struct TEXTMETRIC {
    int tmHeight = 0;
    int tmAscent = 0;
    int tmDescent = 0;
    int tmInternalLeading = 0;
    int tmExternalLeading = 0;
    int tmAveCharWidth = 0;
    int tmMaxCharWidth = 0;
};

class CBrush {
  public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) : m_colour(colour), m_created(true) {}
    bool CreateSolidBrush(COLORREF colour) {
        m_colour = colour;
        m_created = true;
        return true;
    }
    COLORREF GetColor() const { return m_colour; }
    bool IsCreated() const { return m_created; }

    // The stock brushes that control-colour handlers hand back.
    static const CBrush& Black();
    static const CBrush& White();

  private:
    COLORREF m_colour = 0;
    bool m_created = false;
};

class CDC {
  public:
    virtual ~CDC() = default;

    virtual void FillSolidRect(const CRect& rect, COLORREF colour) = 0;
    void FillRect(const CRect& rect, const CBrush* brush) {
        if (brush)
            FillSolidRect(rect, brush->GetColor());
    }
    // A one-pixel frame inside the rectangle.
    virtual void FrameRect(const CRect& rect, const CBrush* brush) = 0;
    virtual void DrawLine(CPoint from, CPoint to, COLORREF colour) = 0;

    // Draws text in a rectangle. With DT_CALCRECT nothing is drawn; the
    // rectangle's right and bottom are set to fit the text. Returns the height
    // of the text drawn (or measured).
    virtual int DrawText(const CString& text, CRect* rect, UINT format) = 0;
    virtual bool TextOut(int x, int y, const CString& text) = 0;
    virtual CSize GetTextExtent(const CString& text) const = 0;
    virtual bool GetTextMetrics(TEXTMETRIC* metrics) const = 0;
    virtual int GetDeviceCaps(int index) const = 0;

    // Fonts are not owned; SelectObject returns the font it replaces.
    CFont* SelectObject(CFont* font) {
        CFont* previous = m_font;
        m_font = font;
        FontChanged();
        return previous;
    }
    CFont* GetCurrentFont() const { return m_font; }
    COLORREF SetTextColor(COLORREF colour) {
        const COLORREF previous = m_textColour;
        m_textColour = colour;
        return previous;
    }
    COLORREF GetTextColor() const { return m_textColour; }
    COLORREF SetBkColor(COLORREF colour) {
        const COLORREF previous = m_bkColour;
        m_bkColour = colour;
        return previous;
    }
    COLORREF GetBkColor() const { return m_bkColour; }
    int SetBkMode(int mode) {
        const int previous = m_bkMode;
        m_bkMode = mode;
        return previous;
    }
    int GetBkMode() const { return m_bkMode; }

    // Documents and pages, for printing contexts. A screen context refuses
    // them (returns <= 0).
    virtual int StartDoc(const CString& documentName);
    virtual int EndDoc();
    virtual int AbortDoc();
    virtual int StartPage();
    virtual int EndPage();
    virtual bool IsPrinting() const { return false; }

  protected:
    virtual void FontChanged() {}

  private:
    CFont* m_font = nullptr;
    COLORREF m_textColour = RGB(0, 0, 0);
    COLORREF m_bkColour = RGB(255, 255, 255);
    int m_bkMode = OPAQUE;
};

// Puts back, when it goes, what a drawing step changes in a device context:
// the font, the text and background colours and the background mode.
class ScopedDcState {
  public:
    explicit ScopedDcState(CDC& dc)
        : m_dc(dc),
          m_font(dc.GetCurrentFont()),
          m_text(dc.GetTextColor()),
          m_back(dc.GetBkColor()),
          m_mode(dc.GetBkMode()) {}
    ~ScopedDcState() {
        m_dc.SelectObject(m_font);
        m_dc.SetTextColor(m_text);
        m_dc.SetBkColor(m_back);
        m_dc.SetBkMode(m_mode);
    }
    ScopedDcState(const ScopedDcState&) = delete;
    ScopedDcState& operator=(const ScopedDcState&) = delete;

  private:
    CDC& m_dc;
    CFont* m_font;
    COLORREF m_text;
    COLORREF m_back;
    int m_mode;
};

// Pixel height of a font's characters (its LOGFONT height, or 12 pixels).
int FontPixelHeight(const CFont* font);

// A device context that draws nothing and records everything.
class RecordingDC : public CDC {
  public:
    enum class Op {
        Fill,
        Frame,
        Line,
        Text,
        TextOut,
        StartDoc,
        EndDoc,
        AbortDoc,
        StartPage,
        EndPage
    };
    struct Record {
        Op op;
        CRect rect;
        CString text;
        COLORREF colour = 0;      // fill, frame or line colour; text colour for text
        COLORREF background = 0;  // background colour for text
        UINT format = 0;
        std::string font;  // face name of the selected font
        int fontHeight = 0;
    };

    struct Device {
        int widthPixels = 1920;
        int heightPixels = 1080;
        int dpiX = 96;
        int dpiY = 96;
        bool printer = false;
    };
    RecordingDC() = default;
    explicit RecordingDC(const Device& device) : m_device(device) {}
    // An A4 page at 300 dots per inch.
    static Device A4Printer();

    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    void FrameRect(const CRect& rect, const CBrush* brush) override;
    void DrawLine(CPoint from, CPoint to, COLORREF colour) override;
    int DrawText(const CString& text, CRect* rect, UINT format) override;
    bool TextOut(int x, int y, const CString& text) override;
    CSize GetTextExtent(const CString& text) const override;
    bool GetTextMetrics(TEXTMETRIC* metrics) const override;
    int GetDeviceCaps(int index) const override;

    int StartDoc(const CString& documentName) override;
    int EndDoc() override;
    int AbortDoc() override;
    int StartPage() override;
    int EndPage() override;
    bool IsPrinting() const override { return m_device.printer; }

    const std::vector<Record>& Records() const { return m_records; }
    void Clear() { m_records.clear(); }
    // Texts drawn (DrawText and TextOut), in order.
    std::vector<CString> Texts() const;
    int Pages() const { return m_pages; }
    // Makes StartDoc fail, as a printer that is gone would.
    void FailStartDoc(bool fail) { m_failStartDoc = fail; }

  private:
    Record make(Op op) const;
    Device m_device;
    std::vector<Record> m_records;
    bool m_inDoc = false;
    bool m_inPage = false;
    bool m_failStartDoc = false;
    int m_pages = 0;
};

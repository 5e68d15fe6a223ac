#pragma once
// Device contexts of the Qt front end: a QPainter on a widget while it
// paints, and a QPrinter (PDF or a real printer) for printing.
#include <QFont>
#include <QPainter>
#include <memory>

#include "ui/CDC.h"

class QPrinter;

QFont ToQFont(const CFont* font);
QColor ToQColor(COLORREF colour);

class QtPainterDC : public CDC {
  public:
    // The painter must outlive this context; without one, the context only
    // measures. `fallback` is the font used when none is selected.
    QtPainterDC(QPainter* painter, const QFont& fallback);

    void FillSolidRect(const CRect& rect, COLORREF colour) override;
    void FrameRect(const CRect& rect, const CBrush* brush) override;
    void DrawLine(CPoint from, CPoint to, COLORREF colour) override;
    int DrawText(const CString& text, CRect* rect, UINT format) override;
    bool TextOut(int x, int y, const CString& text) override;
    CSize GetTextExtent(const CString& text) const override;
    bool GetTextMetrics(TEXTMETRIC* metrics) const override;
    int GetDeviceCaps(int index) const override;

  protected:
    void FontChanged() override;
    QPainter& painter() const { return *m_painter; }
    // Null goes back to the measuring painter.
    QFont currentFont() const;
    void setPainter(QPainter* painter) { m_painter = painter ? painter : &m_measuring; }

  private:
    QPainter m_measuring;
    QPainter* m_painter;
    QFont m_fallback;
};

// Printing through Qt: the document starts a painter on the printer, each
// page after the first starts a new sheet.
class QtPrinterDC : public QtPainterDC {
  public:
    explicit QtPrinterDC(std::unique_ptr<QPrinter> printer);
    ~QtPrinterDC() override;

    int StartDoc(const CString& documentName) override;
    int EndDoc() override;
    int AbortDoc() override;
    int StartPage() override;
    int EndPage() override;
    bool IsPrinting() const override { return true; }
    int GetDeviceCaps(int index) const override;

    QPrinter& Printer() { return *m_printer; }

  private:
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_docPainter;
    bool m_inPage = false;
    int m_pages = 0;
};

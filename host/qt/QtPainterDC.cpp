#include "QtPainterDC.h"

#include <QFontMetrics>
#include <QPrinter>
#include <cstdlib>

QFont ToQFont(const CFont* font) {
    QFont q;
    if (!font)
        return q;
    const LOGFONT& log = font->GetLogFont();
    if (log.lfFaceName[0])
        q.setFamily(QString::fromUtf8(log.lfFaceName));
    if (log.lfHeight != 0)
        q.setPixelSize(std::abs(log.lfHeight));
    q.setWeight(log.lfWeight >= 700 ? QFont::Bold
                                    : (log.lfWeight >= 600 ? QFont::DemiBold : QFont::Normal));
    q.setItalic(log.lfItalic != 0);
    return q;
}

QColor ToQColor(COLORREF colour) {
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

namespace {
QRect toQRect(const CRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

int alignment(UINT format) {
    int flags = 0;
    if (format & DT_CENTER) {
        flags |= Qt::AlignHCenter;
    } else if (format & DT_RIGHT) {
        flags |= Qt::AlignRight;
    } else {
        flags |= Qt::AlignLeft;
    }
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER) {
            flags |= Qt::AlignVCenter;
        } else if (format & DT_BOTTOM) {
            flags |= Qt::AlignBottom;
        } else {
            flags |= Qt::AlignTop;
        }
        flags |= Qt::TextSingleLine;
    } else {
        flags |= Qt::AlignTop;
        if (format & DT_WORDBREAK)
            flags |= Qt::TextWordWrap;
    }
    // Without DT_NOPREFIX an ampersand would mark an accelerator; the layer's
    // texts are data, so it is always shown as it is.
    return flags;
}
}  // namespace

QtPainterDC::QtPainterDC(QPainter* painter, const QFont& fallback)
    : m_painter(painter ? painter : &m_measuring), m_fallback(fallback) {
    if (m_painter->isActive())
        m_painter->setFont(m_fallback);
}

QFont QtPainterDC::currentFont() const {
    return GetCurrentFont() ? ToQFont(GetCurrentFont()) : m_fallback;
}

void QtPainterDC::FontChanged() {
    if (m_painter->isActive())
        m_painter->setFont(currentFont());
}

void QtPainterDC::FillSolidRect(const CRect& rect, COLORREF colour) {
    m_painter->fillRect(toQRect(rect), ToQColor(colour));
}

void QtPainterDC::FrameRect(const CRect& rect, const CBrush* brush) {
    if (!brush || rect.IsRectEmpty())
        return;
    const QColor c = ToQColor(brush->GetColor());
    m_painter->fillRect(QRect(rect.left, rect.top, rect.Width(), 1), c);
    m_painter->fillRect(QRect(rect.left, rect.bottom - 1, rect.Width(), 1), c);
    m_painter->fillRect(QRect(rect.left, rect.top, 1, rect.Height()), c);
    m_painter->fillRect(QRect(rect.right - 1, rect.top, 1, rect.Height()), c);
}

void QtPainterDC::DrawLine(CPoint from, CPoint to, COLORREF colour) {
    m_painter->save();
    m_painter->setPen(ToQColor(colour));
    m_painter->drawLine(from.x, from.y, to.x, to.y);
    m_painter->restore();
}

int QtPainterDC::DrawText(const CString& text, CRect* rect, UINT format) {
    if (!rect)
        return 0;
    const QString q = QString::fromUtf8(text.c_str(), text.GetLength());
    const QFontMetrics metrics(currentFont(), m_painter->device());
    if (format & DT_CALCRECT) {
        const QRect bound =
            (format & DT_SINGLELINE)
                ? QRect(0, 0, metrics.horizontalAdvance(q), metrics.height())
                : metrics.boundingRect(
                      QRect(0, 0, rect->Width() > 0 ? rect->Width() : 100000, 100000),
                      alignment(format), q);
        rect->right = rect->left + bound.width();
        rect->bottom = rect->top + bound.height();
        return bound.height();
    }
    m_painter->save();
    if (GetBkMode() == OPAQUE)
        m_painter->fillRect(toQRect(*rect), ToQColor(GetBkColor()));
    m_painter->setPen(ToQColor(GetTextColor()));
    m_painter->setClipRect(toQRect(*rect), Qt::IntersectClip);
    QRect used;
    m_painter->drawText(toQRect(*rect), alignment(format), q, &used);
    m_painter->restore();
    return used.height();
}

bool QtPainterDC::TextOut(int x, int y, const CString& text) {
    const QString q = QString::fromUtf8(text.c_str(), text.GetLength());
    const QFontMetrics metrics(currentFont(), m_painter->device());
    m_painter->save();
    if (GetBkMode() == OPAQUE) {
        m_painter->fillRect(QRect(x, y, metrics.horizontalAdvance(q), metrics.height()),
                            ToQColor(GetBkColor()));
    }
    m_painter->setPen(ToQColor(GetTextColor()));
    m_painter->drawText(x, y + metrics.ascent(), q);
    m_painter->restore();
    return true;
}

CSize QtPainterDC::GetTextExtent(const CString& text) const {
    const QFontMetrics metrics(currentFont(), m_painter->device());
    const QString q = QString::fromUtf8(text.c_str(), text.GetLength());
    return {metrics.horizontalAdvance(q), metrics.height()};
}

bool QtPainterDC::GetTextMetrics(TEXTMETRIC* tm) const {
    if (!tm)
        return false;
    const QFontMetrics metrics(currentFont(), m_painter->device());
    tm->tmHeight = metrics.height();
    tm->tmAscent = metrics.ascent();
    tm->tmDescent = metrics.descent();
    tm->tmInternalLeading = 0;
    tm->tmExternalLeading = metrics.leading();
    tm->tmAveCharWidth = metrics.averageCharWidth();
    tm->tmMaxCharWidth = metrics.maxWidth();
    return true;
}

int QtPainterDC::GetDeviceCaps(int index) const {
    const QPaintDevice* device = m_painter->device();
    if (!device)
        return 0;
    switch (index) {
        case HORZRES:
            return device->width();
        case VERTRES:
            return device->height();
        case LOGPIXELSX:
            return device->logicalDpiX();
        case LOGPIXELSY:
            return device->logicalDpiY();
        case HORZSIZE:
            return device->widthMM();
        case VERTSIZE:
            return device->heightMM();
        default:
            return 0;
    }
}

QtPrinterDC::QtPrinterDC(std::unique_ptr<QPrinter> printer)
    : QtPainterDC(nullptr, QFont()), m_printer(std::move(printer)) {}

QtPrinterDC::~QtPrinterDC() {
    if (m_docPainter && m_docPainter->isActive())
        m_docPainter->end();
}

int QtPrinterDC::StartDoc(const CString& documentName) {
    if (m_docPainter)
        return -1;
    m_printer->setDocName(QString::fromUtf8(documentName.c_str()));
    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(m_printer.get()))
        return -1;
    m_docPainter = std::move(painter);
    setPainter(m_docPainter.get());
    FontChanged();
    m_pages = 0;
    return 1;
}

int QtPrinterDC::StartPage() {
    if (!m_docPainter || m_inPage)
        return -1;
    if (m_pages > 0 && !m_printer->newPage())
        return -1;
    ++m_pages;
    m_inPage = true;
    return 1;
}

int QtPrinterDC::EndPage() {
    if (!m_inPage)
        return -1;
    m_inPage = false;
    return 1;
}

int QtPrinterDC::EndDoc() {
    if (!m_docPainter)
        return -1;
    m_inPage = false;
    const bool ok = m_docPainter->end();
    setPainter(nullptr);
    m_docPainter.reset();
    return ok ? 1 : -1;
}

int QtPrinterDC::AbortDoc() {
    if (!m_docPainter)
        return -1;
    m_printer->abort();
    m_docPainter->end();
    setPainter(nullptr);
    m_docPainter.reset();
    m_inPage = false;
    return 1;
}

int QtPrinterDC::GetDeviceCaps(int index) const {
    switch (index) {
        case HORZRES:
            return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).width();
        case VERTRES:
            return m_printer->pageLayout().paintRectPixels(m_printer->resolution()).height();
        case LOGPIXELSX:
        case LOGPIXELSY:
            return m_printer->resolution();
        case HORZSIZE:
            return static_cast<int>(
                m_printer->pageLayout().paintRect(QPageLayout::Millimeter).width());
        case VERTSIZE:
            return static_cast<int>(
                m_printer->pageLayout().paintRect(QPageLayout::Millimeter).height());
        default:
            return 0;
    }
}

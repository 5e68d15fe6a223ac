#include "QtUserServices.h"

#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

#include "QtFrontEnd.h"
#include "QtPainterDC.h"
#include "ui/CMenu.h"
#include "ui/CWnd.h"
#include "ui/controls/CDialog.h"

namespace {

QString q(const CString& text) {
    return QString::fromUtf8(text.c_str(), text.GetLength());
}

void fillMenu(QMenu& target, const CMenu& menu, UINT& chosenId, std::map<QAction*, UINT>& ids) {
    for (const auto& item : menu.Items()) {
        if (item.flags & MF_SEPARATOR) {
            target.addSeparator();
        } else if (item.submenu) {
            QMenu* sub = target.addMenu(q(item.text));
            sub->setEnabled(!(item.flags & MF_GRAYED));
            fillMenu(*sub, *item.submenu, chosenId, ids);
        } else {
            QAction* action = target.addAction(q(item.text));
            action->setCheckable((item.flags & MF_CHECKED) != 0);
            action->setChecked((item.flags & MF_CHECKED) != 0);
            action->setEnabled(!(item.flags & MF_GRAYED));
            ids[action] = item.id;
        }
    }
}

// Windows filters "Text (*.txt)|*.txt||" become Qt's "Text (*.txt)".
QString qtFilter(const CString& filter) {
    QStringList parts = q(filter).split('|', Qt::SkipEmptyParts);
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString label = parts[i];
        if (!label.contains('('))
            label += " (" + parts[i + 1] + ")";
        out << label;
    }
    return out.join(";;");
}

bool offscreen() {
    return QGuiApplication::platformName() == "offscreen" ||
           QGuiApplication::platformName() == "minimal";
}

}  // namespace

QWidget* QtUserServices::widgetOf(CWnd* window) const {
    return window ? m_frontEnd.WidgetOf(*window->GetTopLevelParent()) : nullptr;
}

int QtUserServices::MessageBox(CWnd* owner, const CString& text, const CString& caption,
                               UINT type) {
    QMessageBox box(widgetOf(owner));
    box.setText(q(text));
    box.setWindowTitle(q(caption));
    switch (type & 0xF0) {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONEXCLAMATION:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    switch (type & 0x0F) {
        case MB_OKCANCEL:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            break;
        case MB_YESNO:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            break;
        default:
            box.setStandardButtons(QMessageBox::Ok);
            break;
    }
    if (offscreen())
        return (type & 0x0F) == MB_YESNO ? IDNO : ((type & 0x0F) == MB_OK ? IDOK : IDCANCEL);
    switch (box.exec()) {
        case QMessageBox::Ok:
            return IDOK;
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        default:
            return IDCANCEL;
    }
}

UINT QtUserServices::TrackPopupMenu(const CMenu& menu, UINT, CPoint screenPoint, CWnd* owner) {
    QMenu popup(widgetOf(owner));
    UINT chosen = 0;
    std::map<QAction*, UINT> ids;
    fillMenu(popup, menu, chosen, ids);
    if (offscreen())
        return 0;
    QAction* action = popup.exec(QPoint(screenPoint.x, screenPoint.y));
    const auto it = ids.find(action);
    return it == ids.end() ? 0 : it->second;
}

int QtUserServices::RunModal(CDialog& dialog) {
    QWidget* widget = m_frontEnd.WidgetOf(dialog);
    if (!widget)
        return IDCANCEL;
    if (QWidget* owner = widgetOf(dialog.GetOwner())) {
        const QPoint centre = owner->mapToGlobal(owner->rect().center());
        widget->move(centre - QPoint(widget->width() / 2, widget->height() / 2));
    }
    widget->setWindowModality(Qt::ApplicationModal);
    widget->show();
    QEventLoop loop;
    QObject::connect(&m_frontEnd, &QtFrontEnd::DialogEnded, &loop,
                     [&loop, &dialog](const CWnd* ended) {
                         if (ended == &dialog)
                             loop.quit();
                     });
    if (!dialog.IsEnded())
        loop.exec();
    return dialog.IsEnded() ? dialog.GetEndCode() : IDCANCEL;
}

std::optional<std::string> QtUserServices::SaveFile(CWnd* owner, const FileDialogRequest& request) {
    std::optional<FileChoice> choice = SaveFileChoice(owner, request);
    if (!choice)
        return std::nullopt;
    return std::move(choice->path);
}

std::optional<FileChoice> QtUserServices::SaveFileChoice(CWnd* owner,
                                                         const FileDialogRequest& request) {
    if (offscreen())
        return std::nullopt;
    QFileDialog dialog(widgetOf(owner));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(qtFilter(request.filter));
    dialog.setDefaultSuffix(q(request.defaultExtension));
    dialog.selectFile(q(request.initialName));
    // Asking before replacing a file is the flag the callers pass (0x2).
    if (!(request.flags & 0x2))
        dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int filter = static_cast<int>(dialog.nameFilters().indexOf(dialog.selectedNameFilter()));
    return FileChoice{dialog.selectedFiles().first().toStdString(), filter < 0 ? 0 : filter};
}

std::unique_ptr<CDC> QtUserServices::Print(CWnd* owner) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(QPageSize(QPageSize::A4));
    if (offscreen() || !m_unattendedPdf.empty()) {
        if (m_unattendedPdf.empty())
            return nullptr;
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(m_unattendedPdf));
        return std::make_unique<QtPrinterDC>(std::move(printer));
    }
    QPrintDialog dialog(printer.get(), widgetOf(owner));
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<QtPrinterDC>(std::move(printer));
}

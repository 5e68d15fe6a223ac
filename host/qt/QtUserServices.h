#pragma once
// Requests for a person, as real Qt dialogs: message boxes, popup menus,
// modal runs of layer dialogs, the save-file dialog and the print dialog.
#include "ui/UserServices.h"

class QtFrontEnd;
class QWidget;

class QtUserServices : public UserServices {
  public:
    explicit QtUserServices(QtFrontEnd& frontEnd) : m_frontEnd(frontEnd) {}

    int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) override;
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, CPoint screenPoint, CWnd* owner) override;
    int RunModal(CDialog& dialog) override;
    std::optional<std::string> SaveFile(CWnd* owner, const FileDialogRequest& request) override;
    std::optional<FileChoice> SaveFileChoice(CWnd* owner,
                                             const FileDialogRequest& request) override;
    std::unique_ptr<CDC> Print(CWnd* owner) override;

    // Print goes to this PDF file instead of asking (without a display an
    // empty name cancels every print request: nobody can answer).
    void SetUnattendedPdf(const std::string& path) { m_unattendedPdf = path; }

  private:
    QWidget* widgetOf(CWnd* window) const;
    QtFrontEnd& m_frontEnd;
    std::string m_unattendedPdf;
};

#pragma once
// Everything that waits for a person, behind one interface: the Qt front end
// shows real dialogs, the headless one answers from a script.
#include <memory>
#include <optional>
#include <string>

#include "CString.h"
#include "Geometry.h"
#include "WinDefs.h"

class CWnd;
class CDC;
class CMenu;
class CDialog;

struct FileDialogRequest {
    CString filter;            // "Text files (*.txt)|*.txt||"
    CString defaultExtension;  // "txt"
    CString initialName;
    DWORD flags = 0;
};

// What the save dialog answered: the file and which filter (from 0) was chosen.
struct FileChoice {
    std::string path;
    int filterIndex = 0;
};

class UserServices {
  public:
    virtual ~UserServices() = default;

    // Returns the button pressed (IDOK, IDCANCEL, IDYES, IDNO).
    virtual int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) = 0;
    // Shows a popup menu at a screen point; returns the chosen command id, or
    // 0 when the menu was dismissed.
    virtual UINT TrackPopupMenu(const CMenu& menu, UINT flags, CPoint screenPoint, CWnd* owner) = 0;
    // Runs a dialog whose window already exists, modally; returns IDOK or IDCANCEL
    // (or what the dialog ended with).
    virtual int RunModal(CDialog& dialog) = 0;
    // The save-file dialog: a path, or nothing when cancelled.
    virtual std::optional<std::string> SaveFile(CWnd* owner, const FileDialogRequest& request) = 0;
    // The save-file dialog with the filter the person chose; a dialog that
    // cannot tell reports the first.
    virtual std::optional<FileChoice> SaveFileChoice(CWnd* owner,
                                                     const FileDialogRequest& request) {
        std::optional<std::string> path = SaveFile(owner, request);
        if (!path)
            return std::nullopt;
        return FileChoice{std::move(*path), 0};
    }
    // The print dialog: a printing device context, or null when cancelled.
    virtual std::unique_ptr<CDC> Print(CWnd* owner) = 0;
};

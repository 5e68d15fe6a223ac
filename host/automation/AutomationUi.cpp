#include "AutomationUi.h"

#include "HostContext.h"
#include "ui/CWnd.h"
#include "ui/controls/CDialog.h"
#include "ui/tab/CDlgTipMsg.h"
#include "ui/tab/CXTTipWindow.h"

namespace automation {

namespace {

std::string buttonName(int button) {
    switch (button) {
        case IDOK:
            return "ok";
        case IDCANCEL:
            return "cancel";
        case IDYES:
            return "yes";
        case IDNO:
            return "no";
        default:
            return std::to_string(button);
    }
}

// The button a person gets by just closing the box: its default one.
int defaultButton(UINT type) {
    switch (type & 0x0F) {
        case MB_YESNO:
            return IDYES;
        default:
            return IDOK;
    }
}

}  // namespace

int AutomationPerson::MessageBox(CWnd* owner, const CString& text, const CString& caption,
                                 UINT type) {
    Notice notice{Notice::Kind::MessageBox, text.str(), caption.str(), "", queued()};
    const int button =
        notice.answered ? m_script.MessageBox(owner, text, caption, type) : defaultButton(type);
    notice.answer = buttonName(button);
    m_notices.push_back(std::move(notice));
    return button;
}

UINT AutomationPerson::TrackPopupMenu(const CMenu& menu, UINT flags, CPoint screenPoint,
                                      CWnd* owner) {
    const UINT chosen = queued() ? m_script.TrackPopupMenu(menu, flags, screenPoint, owner) : 0;
    m_menus.push_back({menu, owner ? owner->GetSafeHwnd() : 0, screenPoint, chosen});
    return chosen;
}

int AutomationPerson::RunModal(CDialog& dialog) {
    Notice notice{Notice::Kind::Dialog, "", dialog.GetWindowText().str(), "", queued()};
    const std::size_t at = m_notices.size();
    m_notices.push_back(notice);
    // The person's steps may show notices of their own; this one stays first.
    const int result = notice.answered ? m_script.RunModal(dialog) : IDCANCEL;
    m_notices[at].answer = buttonName(dialog.IsEnded() ? dialog.GetEndCode() : result);
    return result;
}

std::optional<std::string> AutomationPerson::SaveFile(CWnd* owner,
                                                      const FileDialogRequest& request) {
    Notice notice{Notice::Kind::SaveFile, request.initialName.str(), request.filter.str(), "",
                  queued()};
    std::optional<std::string> path;
    if (notice.answered)
        path = m_script.SaveFile(owner, request);
    notice.answer = path ? shownPath(*path) : "cancel";
    m_notices.push_back(std::move(notice));
    return path;
}

std::string AutomationPerson::shownPath(const std::string& path) const {
    if (!m_pathFolder.empty() && path.rfind(m_pathFolder, 0) == 0)
        return path.substr(m_pathFolder.size());
    return path;
}

std::optional<FileChoice> AutomationPerson::SaveFileChoice(CWnd* owner,
                                                           const FileDialogRequest& request) {
    Notice notice{Notice::Kind::SaveFile, request.initialName.str(), request.filter.str(), "",
                  queued()};
    std::optional<FileChoice> choice;
    if (notice.answered)
        choice = m_script.SaveFileChoice(owner, request);
    notice.answer = choice ? shownPath(choice->path) : "cancel";
    if (choice && choice->filterIndex != 0)
        notice.answer += " (filter " + std::to_string(choice->filterIndex) + ")";
    m_notices.push_back(std::move(notice));
    return choice;
}

std::unique_ptr<CDC> AutomationPerson::Print(CWnd* owner) {
    Notice notice{Notice::Kind::Print, "", "", "", queued()};
    std::unique_ptr<CDC> dc;
    if (notice.answered)
        dc = m_script.Print(owner);
    notice.answer = dc ? "print" : "cancel";
    m_notices.push_back(std::move(notice));
    return dc;
}

void AutomationFrontEnd::noteTip(CWnd& window) {
    if (auto* tip = dynamic_cast<CXTTipWindow*>(&window)) {
        std::string text = tip->GetTipTitle().str();
        if (!text.empty())
            text += ": ";
        text += tip->GetTipText().str();
        m_person.Notices().push_back({Notice::Kind::Tip, text, "", "", true});
    } else if (auto* popup = dynamic_cast<CDlgTipMsg*>(&window)) {
        m_person.Notices().push_back({Notice::Kind::Popup, popup->GetText().str(), "", "", true});
    }
}

void AutomationFrontEnd::WindowChanged(CWnd& window, WindowChange change) {
    HeadlessFrontEnd::WindowChanged(window, change);
    // The record of changes is not read here; keep it from growing all run long.
    ClearChanges();
    if (change == WindowChange::Shown && window.GetKind() == WindowKind::Tip &&
        window.IsWindowVisible()) {
        noteTip(window);
        m_justShown = window.GetSafeHwnd();
    }
}

void AutomationFrontEnd::StartTimer(HWND window, UINT id, UINT period) {
    HeadlessFrontEnd::StartTimer(window, id, period);
    // A tip shown again while showing only restarts its hide timer (id 1).
    CWnd* wnd = CWnd::FromHandle(window);
    if (id == 1 && wnd && wnd->GetKind() == WindowKind::Tip && wnd->IsWindowVisible()) {
        if (m_justShown == window)
            m_justShown = 0;
        else
            noteTip(*wnd);
    }
}

}  // namespace automation

#pragma once
// The headless window layer of the automation: the headless front end, with
// a record of what a person would have seen - tips and popups as they are
// shown, message boxes, dialogs and menus - and answers to every request for
// a person. Answers the script queued come first (through the headless
// script, in order); a request with none queued gets what a person who only
// closes it gives: the menu dismissed, the message box's default button, the
// dialog and the file and print dialogs cancelled.
#include <memory>
#include <string>
#include <vector>

#include "ui/CDC.h"
#include "ui/CMenu.h"
#include "ui/headless/HeadlessFrontEnd.h"

class HostContext;

namespace automation {

struct Notice {
    enum class Kind { Tip, Popup, MessageBox, Dialog, SaveFile, Print };
    Kind kind;
    std::string text;
    std::string caption;
    std::string answer;
    bool answered = true;  // false: nothing was queued for it
};

struct ShownMenu {
    CMenu menu;
    HWND owner = 0;
    CPoint point;
    UINT chosen = 0;
};

class AutomationPerson final : public UserServices {
  public:
    explicit AutomationPerson(ScriptedUserServices& script) : m_script(script) {}

    int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) override;
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, CPoint screenPoint, CWnd* owner) override;
    int RunModal(CDialog& dialog) override;
    std::optional<std::string> SaveFile(CWnd* owner, const FileDialogRequest& request) override;
    std::optional<FileChoice> SaveFileChoice(CWnd* owner,
                                             const FileDialogRequest& request) override;
    std::unique_ptr<CDC> Print(CWnd* owner) override;

    std::vector<Notice>& Notices() { return m_notices; }
    // Notices show files under `folder` by their names relative to it, as
    // the script named them.
    void ShowPathsUnder(std::string folder) { m_pathFolder = std::move(folder); }
    // What the last print answered with `record` drew, once it was printed.
    std::vector<RecordingDC::Record>& PrintedRecords() { return m_printed; }
    std::vector<ShownMenu>& Menus() { return m_menus; }

  private:
    bool queued() const { return m_script.PendingAnswers() > 0; }
    ScriptedUserServices& m_script;
    std::vector<Notice> m_notices;
    std::vector<RecordingDC::Record> m_printed;
    std::string m_pathFolder;
    std::string shownPath(const std::string& path) const;
    std::vector<ShownMenu> m_menus;
};

class AutomationFrontEnd final : public HeadlessFrontEnd {
  public:
    AutomationFrontEnd() : m_person(Script()) {}

    void WindowChanged(CWnd& window, WindowChange change) override;
    void StartTimer(HWND window, UINT id, UINT period) override;
    UserServices& Person() override { return m_person; }
    AutomationPerson& Recorder() { return m_person; }

  private:
    void noteTip(CWnd& window);
    AutomationPerson m_person;
    HWND m_justShown = 0;
};

// Front end and window system, set in the given context, which is installed
// for this object's lifetime (as HeadlessUi does).
class AutomationUi : public WindowLayer<AutomationFrontEnd> {
  public:
    explicit AutomationUi(HostContext& context) : WindowLayer(context, true) {}

    ScriptedUserServices& Script() { return FrontEnd().Script(); }
    AutomationPerson& Person() { return FrontEnd().Recorder(); }
    void Advance(std::uint64_t milliseconds) { FrontEnd().Advance(milliseconds); }
};

}  // namespace automation

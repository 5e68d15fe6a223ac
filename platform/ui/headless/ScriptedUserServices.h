#pragma once
// The person of headless runs: every request that would wait for someone is
// answered from a queue of scripted answers, in order. A request with no
// answer queued, or of another kind than the next answer, is an error the
// test sees in Errors(); it is answered as a person cancelling would.
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/UserServices.h"

class ScriptedUserServices : public UserServices {
  public:
    enum class Kind { MessageBox, Menu, Modal, SaveFile, Print };

    struct Request {
        Kind kind;
        CString text;     // message box text, menu item texts joined by '|', file filter
        CString caption;  // message box caption, dialog caption
        UINT flags = 0;   // message box type, menu flags, file dialog flags
        CPoint point;     // where a menu was shown
    };

    // Answers, in the order the requests will come.
    void AnswerMessageBox(int button);
    // 0 dismisses the menu.
    void AnswerMenu(UINT command);
    // The function acts as the person in the dialog (sets controls, presses
    // buttons); its result is the dialog's end code unless the dialog ended
    // itself.
    void AnswerModal(std::function<int(CDialog&)> person);
    // The file chosen (nothing: cancelled) and the filter it was chosen with.
    void AnswerSaveFile(std::optional<std::string> path, int filterIndex = 0);
    // The device context handed out (null: the person cancels).
    void AnswerPrint(std::function<std::unique_ptr<CDC>()> makeContext);

    int MessageBox(CWnd* owner, const CString& text, const CString& caption, UINT type) override;
    UINT TrackPopupMenu(const CMenu& menu, UINT flags, CPoint screenPoint, CWnd* owner) override;
    int RunModal(CDialog& dialog) override;
    std::optional<std::string> SaveFile(CWnd* owner, const FileDialogRequest& request) override;
    std::optional<FileChoice> SaveFileChoice(CWnd* owner,
                                             const FileDialogRequest& request) override;
    std::unique_ptr<CDC> Print(CWnd* owner) override;

    const std::vector<Request>& Requests() const { return m_requests; }
    const std::vector<std::string>& Errors() const { return m_errors; }
    std::size_t PendingAnswers() const { return m_answers.size(); }
    void Reset();

  private:
    struct Answer {
        Kind kind;
        int value = 0;
        std::function<int(CDialog&)> person;
        std::optional<std::string> path;
        std::function<std::unique_ptr<CDC>()> makeContext;
    };
    std::optional<Answer> take(Kind kind, const std::string& what);

    std::deque<Answer> m_answers;
    std::vector<Request> m_requests;
    std::vector<std::string> m_errors;
};

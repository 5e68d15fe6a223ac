#include "ScriptedUserServices.h"

#include "ui/CDC.h"
#include "ui/CMenu.h"
#include "ui/CWnd.h"
#include "ui/controls/CDialog.h"

namespace {
const char* kindName(ScriptedUserServices::Kind kind) {
    switch (kind) {
        case ScriptedUserServices::Kind::MessageBox:
            return "message box";
        case ScriptedUserServices::Kind::Menu:
            return "menu";
        case ScriptedUserServices::Kind::Modal:
            return "modal dialog";
        case ScriptedUserServices::Kind::SaveFile:
            return "save-file dialog";
        case ScriptedUserServices::Kind::Print:
            return "print dialog";
    }
    return "request";
}

void collectTexts(const CMenu& menu, CString& out) {
    for (const auto& item : menu.Items()) {
        if (!out.IsEmpty())
            out += "|";
        out += (item.flags & MF_SEPARATOR) ? CString("-") : item.text;
        if (item.submenu) {
            out += "{";
            CString inner;
            collectTexts(*item.submenu, inner);
            out += inner + "}";
        }
    }
}
}  // namespace

void ScriptedUserServices::AnswerMessageBox(int button) {
    m_answers.push_back({Kind::MessageBox, button, {}, {}, {}});
}
void ScriptedUserServices::AnswerMenu(UINT command) {
    m_answers.push_back({Kind::Menu, static_cast<int>(command), {}, {}, {}});
}
void ScriptedUserServices::AnswerModal(std::function<int(CDialog&)> person) {
    m_answers.push_back({Kind::Modal, 0, std::move(person), {}, {}});
}
void ScriptedUserServices::AnswerSaveFile(std::optional<std::string> path, int filterIndex) {
    m_answers.push_back({Kind::SaveFile, filterIndex, {}, std::move(path), {}});
}
void ScriptedUserServices::AnswerPrint(std::function<std::unique_ptr<CDC>()> makeContext) {
    m_answers.push_back({Kind::Print, 0, {}, {}, std::move(makeContext)});
}

void ScriptedUserServices::Reset() {
    m_answers.clear();
    m_requests.clear();
    m_errors.clear();
}

std::optional<ScriptedUserServices::Answer> ScriptedUserServices::take(Kind kind,
                                                                       const std::string& what) {
    if (m_answers.empty()) {
        m_errors.push_back(std::string("unexpected ") + kindName(kind) + ": " + what);
        return std::nullopt;
    }
    if (m_answers.front().kind != kind) {
        m_errors.push_back(std::string("expected a ") + kindName(m_answers.front().kind) +
                           " but got a " + kindName(kind) + ": " + what);
        return std::nullopt;
    }
    Answer answer = std::move(m_answers.front());
    m_answers.pop_front();
    return answer;
}

int ScriptedUserServices::MessageBox(CWnd*, const CString& text, const CString& caption,
                                     UINT type) {
    m_requests.push_back({Kind::MessageBox, text, caption, type, {}});
    const auto answer = take(Kind::MessageBox, text.str());
    return answer ? answer->value : IDCANCEL;
}

UINT ScriptedUserServices::TrackPopupMenu(const CMenu& menu, UINT flags, CPoint screenPoint,
                                          CWnd*) {
    CString texts;
    collectTexts(menu, texts);
    m_requests.push_back({Kind::Menu, texts, {}, flags, screenPoint});
    const auto answer = take(Kind::Menu, texts.str());
    if (!answer)
        return 0;
    const auto command = static_cast<UINT>(answer->value);
    if (command != 0 && !menu.HasCommand(command)) {
        m_errors.push_back("menu has no command " + std::to_string(command) + ": " + texts.str());
        return 0;
    }
    if (command != 0 && (menu.GetMenuState(command) & MF_GRAYED)) {
        m_errors.push_back("menu command " + std::to_string(command) + " is greyed");
        return 0;
    }
    return command;
}

int ScriptedUserServices::RunModal(CDialog& dialog) {
    const CString caption = dialog.GetWindowText();
    m_requests.push_back({Kind::Modal, {}, caption, 0, {}});
    const auto answer = take(Kind::Modal, caption.str());
    if (!answer || !answer->person)
        return IDCANCEL;
    return answer->person(dialog);
}

std::optional<std::string> ScriptedUserServices::SaveFile(CWnd*, const FileDialogRequest& request) {
    m_requests.push_back(
        {Kind::SaveFile, request.filter, request.defaultExtension, request.flags, {}});
    const auto answer = take(Kind::SaveFile, request.filter.str());
    return answer ? answer->path : std::nullopt;
}

std::optional<FileChoice> ScriptedUserServices::SaveFileChoice(CWnd*,
                                                               const FileDialogRequest& request) {
    m_requests.push_back(
        {Kind::SaveFile, request.filter, request.defaultExtension, request.flags, {}});
    const auto answer = take(Kind::SaveFile, request.filter.str());
    if (!answer || !answer->path)
        return std::nullopt;
    return FileChoice{*answer->path, answer->value};
}

std::unique_ptr<CDC> ScriptedUserServices::Print(CWnd*) {
    m_requests.push_back({Kind::Print, {}, {}, 0, {}});
    const auto answer = take(Kind::Print, "print");
    if (!answer || !answer->makeContext)
        return nullptr;
    return answer->makeContext();
}

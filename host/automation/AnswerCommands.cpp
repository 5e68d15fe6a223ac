// Answers for what waits for a person: message boxes, menus, dialogs, the
// file and print dialogs. An answer is queued before the action that asks,
// and requests take the answers in order.
#include "Commands.h"
#include "Interpreter.h"
#include "ScriptValues.h"
#include "Session.h"
#include "ui/CDC.h"
#include "ui/controls/CDialog.h"

namespace automation {

namespace {

int buttonOf(const std::string& name) {
    if (name == "ok")
        return IDOK;
    if (name == "cancel")
        return IDCANCEL;
    if (name == "yes")
        return IDYES;
    if (name == "no")
        return IDNO;
    throw ScriptError("button '" + name + "': expected ok, cancel, yes or no");
}

void answerDialog(Call& call) {
    Args& a = call.args;
    const std::string how = a.Optional(1).value_or("cancel");
    a.Finish();
    const int button = buttonOf(how);
    if (button != IDOK && button != IDCANCEL)
        throw ScriptError("a dialog is left with ok or cancel");
    std::vector<SourceLine> steps = call.block ? *call.block : std::vector<SourceLine>{};
    Session& session = call.session;
    Interpreter& interpreter = call.interpreter;
    const int line = call.line;
    session.Ui().Script().AnswerModal([&session, &interpreter, steps, button,
                                       line](CDialog& dialog) {
        session.PushRoot(dialog);
        interpreter.Run(steps);
        session.Settle();
        // The person leaves the dialog the way the answer says, unless the
        // steps already closed it.
        if (!dialog.IsEnded() && dialog.IsWindow())
            dialog.SendMessage(WM_COMMAND, MAKEWPARAM(static_cast<WORD>(button), BN_CLICKED), 0);
        session.PopRoot();
        if (!dialog.IsEnded()) {
            interpreter.Report(line, "the dialog stayed open after " +
                                         std::string(button == IDOK ? "ok" : "cancel"));
            dialog.EndDialog(IDCANCEL);
        }
        return dialog.GetEndCode();
    });
}

// A printer on an A4 page that hands what it drew to the person's record
// when the view is done with it.
class KeptRecordingDC : public RecordingDC {
  public:
    explicit KeptRecordingDC(std::vector<Record>& out) : RecordingDC(A4Printer()), m_out(out) {
        m_out.clear();
    }
    ~KeptRecordingDC() override { m_out = Records(); }
    KeptRecordingDC(const KeptRecordingDC&) = delete;
    KeptRecordingDC& operator=(const KeptRecordingDC&) = delete;

  private:
    std::vector<Record>& m_out;
};

void answerCommand(Call& call) {
    Args& a = call.args;
    Session& s = call.session;
    const std::string kind = a.At(0, "what to answer: msgbox, menu, dialog, save or print");
    if (kind == "dialog") {
        answerDialog(call);
    } else {
        NoBlock(call);
        const std::string value = a.At(1, "the answer");
        // The save dialog's second filter: the file in Big5.
        const bool big5 = kind == "save" && a.Flag("big5");
        a.Finish();
        ScriptedUserServices& script = s.Ui().Script();
        if (kind == "msgbox") {
            script.AnswerMessageBox(buttonOf(value));
        } else if (kind == "menu") {
            script.AnswerMenu(
                value == "none" ? 0u : static_cast<UINT>(ParseNumber(value, 1, 65535, "command")));
        } else if (kind == "save") {
            s.Ui().Person().ShowPathsUnder(s.ConfigDir().string() + "/");
            script.AnswerSaveFile(
                value == "cancel" ? std::nullopt : std::optional<std::string>(s.FilePath(value)),
                big5 ? 1 : 0);
        } else if (kind == "print") {
            if (value == "cancel")
                script.AnswerPrint(nullptr);
            else if (value == "record")
                script.AnswerPrint([&s] {
                    return std::make_unique<KeptRecordingDC>(s.Ui().Person().PrintedRecords());
                });
            else
                throw ScriptError("print answer '" + value + "': expected record or cancel");
        } else {
            throw ScriptError("'" + kind + "': expected msgbox, menu, dialog, save or print");
        }
    }
    s.QueuedAnswerLines().push_back(call.line);
}

}  // namespace

void AddAnswerCommands(CommandTable& table) {
    table.Add("answer", answerCommand);
}

}  // namespace automation

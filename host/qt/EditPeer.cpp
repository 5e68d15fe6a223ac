#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>
#include <vector>

#include "NativePeer.h"
#include "PaintedPeer.h"
#include "ui/controls/CEdit.h"
#include "ui/controls/MyRichEdit.h"
#include "ui/controls/Utf8.h"

namespace {

void reportModifiers(QtFrontEnd& frontEnd, Qt::KeyboardModifiers modifiers) {
    if (WindowSystem* system = frontEnd.System()) {
        system->SetKeyState(VK_SHIFT, modifiers & Qt::ShiftModifier);
        system->SetKeyState(VK_CONTROL, modifiers & Qt::ControlModifier);
    }
}

UINT modifierFlags(Qt::KeyboardModifiers modifiers) {
    UINT flags = 0;
    if (modifiers & Qt::ShiftModifier)
        flags |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier)
        flags |= MK_CONTROL;
    return flags;
}

// A line edit whose every keystroke goes through the layer's edit (its key
// filter, upper-casing, limit and notifications); the widget then shows what
// the layer holds.
class LayerLineEdit : public QLineEdit {
  public:
    LayerLineEdit(QtFrontEnd& frontEnd, CEdit& edit, QWidget* parent)
        : QLineEdit(parent), m_frontEnd(frontEnd), m_edit(edit) {
        setAttribute(Qt::WA_InputMethodEnabled);
    }
    std::function<void()> afterInput;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        reportModifiers(m_frontEnd, event->modifiers());
        const UINT flags = modifierFlags(event->modifiers());
        if (event->matches(QKeySequence::Paste) ||
            (event->key() == Qt::Key_Insert && (flags & MK_SHIFT))) {
            // Shift+Insert is a key the filter may refuse; Ctrl+V pastes.
            if (event->key() == Qt::Key_Insert && !m_edit.PressKey(VK_INSERT, flags)) {
                done();
                return;
            }
            m_edit.Paste(FromQString(QApplication::clipboard()->text()));
        } else if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) {
            QLineEdit::keyPressEvent(event);
            return;
        } else if (const UINT key = VirtualKeyFromQt(event->key());
                   key != 0 && (event->text().isEmpty() || !event->text()[0].isPrint())) {
            m_edit.PressKey(key, flags);
        } else if (!event->text().isEmpty()) {
            m_edit.TypeText(FromQString(event->text()));
        }
        done();
    }
    void inputMethodEvent(QInputMethodEvent* event) override {
        if (!event->commitString().isEmpty())
            m_edit.TypeText(FromQString(event->commitString()));
        event->accept();
        done();
    }
    void focusInEvent(QFocusEvent* event) override {
        QLineEdit::focusInEvent(event);
        if (!m_frontEnd.Syncing() && !m_edit.HasFocus())
            m_edit.SetFocus();
    }

  private:
    void done() {
        reportModifiers(m_frontEnd, Qt::NoModifier);
        if (afterInput)
            afterInput();
    }
    QtFrontEnd& m_frontEnd;
    CEdit& m_edit;
};

class EditPeer : public NativePeer<LayerLineEdit> {
  public:
    EditPeer(QtFrontEnd& frontEnd, CEdit& edit, QWidget* parent)
        : NativePeer<LayerLineEdit>(frontEnd, edit, new LayerLineEdit(frontEnd, edit, parent)),
          m_edit(edit) {
        m_widget->afterInput = [this] {
            if (m_widget)
                SyncContent();
        };
    }

  protected:
    void SyncContent() override {
        const QString text = ToQString(m_edit.GetWindowText());
        if (m_widget->text() != text)
            m_widget->setText(text);
        m_widget->setReadOnly(m_edit.IsReadOnly());
        int start = 0, end = 0;
        m_edit.GetSel(start, end);
        if (start == end) {
            m_widget->setCursorPosition(end);
        } else {
            m_widget->setSelection(start, end - start);
        }
    }

  private:
    CEdit& m_edit;
};

// The pane's text as the widget shows it: the layer counts CR LF as two
// characters and positions in code points; the widget keeps one paragraph
// break and counts UTF-16 units. at[i] is where layer character i shows.
struct ShownText {
    QString text;
    std::vector<int> at;
    int Position(long layer) const {
        if (layer < 0 || at.empty())
            return 0;
        return at[std::min(static_cast<std::size_t>(layer), at.size() - 1)];
    }
};

ShownText shownText(const CString& text) {
    ShownText shown;
    const std::vector<char32_t> chars = utf8::Decode(text.str());
    shown.at.reserve(chars.size() + 1);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        shown.at.push_back(static_cast<int>(shown.text.size()));
        char32_t ch = chars[i];
        if (ch == U'\r' && i + 1 < chars.size() && chars[i + 1] == U'\n')
            continue;  // the LF makes the break
        if (ch == U'\r')
            ch = U'\n';
        shown.text += QString::fromUcs4(&ch, 1);
    }
    shown.at.push_back(static_cast<int>(shown.text.size()));
    return shown;
}

// The story pane. The selection is the cursor's; marks (every found search
// term) and a selection that shows without the focus are drawn as selected
// text in the palette's highlight colours.
class RichEditPeer : public NativePeer<QTextEdit> {
  public:
    RichEditPeer(QtFrontEnd& frontEnd, MyRichEdit& edit, QWidget* parent)
        : NativePeer<QTextEdit>(frontEnd, edit, new QTextEdit(parent)), m_edit(edit) {
        m_widget->setAcceptRichText(false);
        m_widget->setLineWrapMode(QTextEdit::WidgetWidth);
    }

  protected:
    void SyncContent() override {
        const ShownText shown = shownText(m_edit.GetWindowText());
        if (m_widget->toPlainText() != shown.text)
            m_widget->setPlainText(shown.text);
        m_widget->setReadOnly(m_edit.IsReadOnly());
        long start = 0, end = 0;
        m_edit.GetSel(start, end);
        QTextCursor cursor = m_widget->textCursor();
        cursor.setPosition(shown.Position(start));
        cursor.setPosition(shown.Position(end), QTextCursor::KeepAnchor);
        m_widget->setTextCursor(cursor);

        QList<QTextEdit::ExtraSelection> marks;
        auto mark = [&](long from, long to) {
            QTextEdit::ExtraSelection selection;
            selection.cursor = QTextCursor(m_widget->document());
            selection.cursor.setPosition(shown.Position(from));
            selection.cursor.setPosition(shown.Position(to), QTextCursor::KeepAnchor);
            const QPalette& palette = m_widget->palette();
            selection.format.setBackground(palette.brush(QPalette::Active, QPalette::Highlight));
            selection.format.setForeground(
                palette.brush(QPalette::Active, QPalette::HighlightedText));
            marks.append(selection);
        };
        for (const CHARRANGE& range : m_edit.GetMarks())
            mark(range.cpMin, range.cpMax);
        if (start != end && m_edit.IsSelectionShown())
            mark(start, end);
        m_widget->setExtraSelections(marks);
        if (start != end && m_edit.IsSelectionShown())
            m_widget->ensureCursorVisible();
    }

  private:
    MyRichEdit& m_edit;
};

}  // namespace

std::unique_ptr<Peer> MakeEditPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    auto* edit = dynamic_cast<CEdit*>(&window);
    return edit ? std::make_unique<EditPeer>(frontEnd, *edit, parent) : nullptr;
}

std::unique_ptr<Peer> MakeRichEditPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    auto* edit = dynamic_cast<MyRichEdit*>(&window);
    return edit ? std::make_unique<RichEditPeer>(frontEnd, *edit, parent) : nullptr;
}

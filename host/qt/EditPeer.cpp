#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTextEdit>

#include "NativePeer.h"
#include "PaintedPeer.h"
#include "ui/controls/CEdit.h"
#include "ui/controls/MyRichEdit.h"

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

class RichEditPeer : public NativePeer<QTextEdit> {
  public:
    RichEditPeer(QtFrontEnd& frontEnd, MyRichEdit& edit, QWidget* parent)
        : NativePeer<QTextEdit>(frontEnd, edit, new QTextEdit(parent)), m_edit(edit) {
        m_widget->setAcceptRichText(false);
        m_widget->setLineWrapMode(QTextEdit::WidgetWidth);
    }

  protected:
    void SyncContent() override {
        const QString text = ToQString(m_edit.GetWindowText());
        if (m_widget->toPlainText() != text)
            m_widget->setPlainText(text);
        m_widget->setReadOnly(m_edit.IsReadOnly());
        long start = 0, end = 0;
        m_edit.GetSel(start, end);
        QTextCursor cursor = m_widget->textCursor();
        const int length = static_cast<int>(m_widget->toPlainText().size());
        cursor.setPosition(std::clamp(static_cast<int>(start), 0, length));
        cursor.setPosition(std::clamp(static_cast<int>(end), 0, length), QTextCursor::KeepAnchor);
        m_widget->setTextCursor(cursor);
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

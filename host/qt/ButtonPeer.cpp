#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "NativePeer.h"
#include "ui/controls/CButton.h"
#include "ui/controls/CStatic.h"

namespace {

// Push buttons, radio buttons and check boxes: a click goes to the layer,
// which decides the check states (radio groups included).
template <class Button>
class ButtonPeer : public NativePeer<Button> {
  public:
    ButtonPeer(QtFrontEnd& frontEnd, CButton& button, QWidget* parent)
        : NativePeer<Button>(frontEnd, button, new Button(parent)), m_button(button) {
        this->m_widget->setFocusPolicy(Qt::StrongFocus);
        if constexpr (std::is_same_v<Button, QPushButton>) {
            this->m_widget->setDefault(button.IsDefaultButton());
            this->m_widget->setAutoDefault(false);
        } else {
            this->m_widget->setAutoExclusive(false);  // the layer keeps radio groups
        }
        QObject::connect(
            this->m_widget.data(), &QAbstractButton::clicked, this->m_widget.data(), [this] {
                if (this->FromLayer())
                    return;
                m_button.Click();
                if (this->m_widget)
                    SyncContent();  // a check box the layer did not change stays as it was
            });
    }

  protected:
    void SyncContent() override {
        this->m_widget->setText(ToQString(m_button.GetWindowText()));
        if constexpr (!std::is_same_v<Button, QPushButton>)
            this->m_widget->setChecked(m_button.GetCheck() != 0);
    }

  private:
    CButton& m_button;
};

class GroupBoxPeer : public NativePeer<QGroupBox> {
  public:
    GroupBoxPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent)
        : NativePeer<QGroupBox>(frontEnd, window, new QGroupBox(parent)) {
        m_widget->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_widget->lower();  // the controls inside a group are its siblings, drawn on top
    }

  protected:
    void SyncContent() override { m_widget->setTitle(ToQString(m_window.GetWindowText())); }
};

class StaticPeer : public NativePeer<QLabel> {
  public:
    StaticPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent)
        : NativePeer<QLabel>(frontEnd, window, new QLabel(parent)) {
        m_widget->setTextFormat(Qt::PlainText);
        m_widget->setWordWrap(true);
        m_widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }

  protected:
    void SyncContent() override { m_widget->setText(ToQString(m_window.GetWindowText())); }
};

}  // namespace

std::unique_ptr<Peer> MakeButtonPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    auto* button = dynamic_cast<CButton*>(&window);
    if (!button)
        return nullptr;
    if (button->IsGroupBox())
        return std::make_unique<GroupBoxPeer>(frontEnd, window, parent);
    if (button->IsRadioButton())
        return std::make_unique<ButtonPeer<QRadioButton>>(frontEnd, *button, parent);
    if (button->IsCheckBox())
        return std::make_unique<ButtonPeer<QCheckBox>>(frontEnd, *button, parent);
    return std::make_unique<ButtonPeer<QPushButton>>(frontEnd, *button, parent);
}

std::unique_ptr<Peer> MakeStaticPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    return std::make_unique<StaticPeer>(frontEnd, window, parent);
}

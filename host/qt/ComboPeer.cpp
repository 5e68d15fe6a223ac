#include <QComboBox>
#include <QLineEdit>

#include "NativePeer.h"
#include "ui/controls/CComboBox.h"

namespace {

// A combo box whose drop-down, choice and close-up go to the layer as a
// person's actions, in the order Windows notifies them.
class LayerComboBox : public QComboBox {
  public:
    LayerComboBox(QtFrontEnd& frontEnd, CComboBox& combo, QWidget* parent)
        : QComboBox(parent), m_frontEnd(frontEnd), m_combo(combo) {}

    void showPopup() override {
        if (!m_frontEnd.Syncing())
            m_combo.DropDown();
        QComboBox::showPopup();
    }
    void hidePopup() override {
        QComboBox::hidePopup();
        if (!m_frontEnd.Syncing() && m_combo.IsWindow() && m_combo.GetDroppedState())
            m_combo.CloseUp();
    }

  private:
    QtFrontEnd& m_frontEnd;
    CComboBox& m_combo;
};

class ComboPeer : public NativePeer<LayerComboBox> {
  public:
    ComboPeer(QtFrontEnd& frontEnd, CComboBox& combo, QWidget* parent)
        : NativePeer<LayerComboBox>(frontEnd, combo, new LayerComboBox(frontEnd, combo, parent)),
          m_combo(combo) {
        m_widget->setEditable(combo.HasEdit());
        m_widget->setInsertPolicy(QComboBox::NoInsert);
        m_widget->setMaxVisibleItems(12);
        QObject::connect(m_widget.data(), QOverload<int>::of(&QComboBox::activated),
                         m_widget.data(), [this](int index) {
                             if (FromLayer() || index < 0)
                                 return;
                             m_combo.UserSelect(index);
                             if (m_widget)
                                 SyncContent();
                         });
        if (combo.HasEdit()) {
            m_widget->setCompleter(nullptr);  // completing is the layer's business
            // Enter on the item the typing found chooses it, as picking it does;
            // once per typing (Qt may pass the key on to the edit twice).
            QObject::connect(m_widget->lineEdit(), &QLineEdit::returnPressed, m_widget.data(),
                             [this] {
                                 if (FromLayer() || m_enterChose || m_combo.GetCurSel() < 0)
                                     return;
                                 m_enterChose = true;
                                 m_combo.UserSelect(m_combo.GetCurSel());
                                 if (m_widget)
                                     SyncContent();
                             });
            QObject::connect(m_widget->lineEdit(), &QLineEdit::textEdited, m_widget.data(),
                             [this](const QString& text) {
                                 if (FromLayer())
                                     return;
                                 m_enterChose = false;
                                 // The layer's edit takes the typed text (upper-casing and
                                 // completion are its business); show what it made of it.
                                 m_combo.SetWindowText("");
                                 m_combo.TypeText(FromQString(text));
                                 if (!m_widget)
                                     return;
                                 SyncContent();
                                 // A completed tail stays selected, so the next
                                 // key replaces it.
                                 const DWORD sel = m_combo.GetEditSel();
                                 const int start = LOWORD(sel);
                                 const int end = HIWORD(sel);
                                 if (end > start)
                                     m_widget->lineEdit()->setSelection(start, end - start);
                             });
        }
    }

    void Sync(WindowChange change) override {
        NativePeer<LayerComboBox>::Sync(change);
        // A combo box's rectangle includes its drop-down list; the closed box
        // is as high as the style makes it.
        if (m_widget && (change == WindowChange::Created || change == WindowChange::Moved)) {
            const CRect& r = m_combo.GetRect();
            m_widget->setGeometry(r.left, r.top, r.Width(),
                                  std::min(r.Height(), m_widget->sizeHint().height()));
        }
    }

  protected:
    void SyncContent() override {
        const auto& items = m_combo.Items();
        bool same = m_widget->count() == items.Count();
        for (int i = 0; same && i < items.Count(); ++i)
            same = m_widget->itemText(i) == ToQString(items.At(i).text);
        if (!same) {
            m_widget->clear();
            for (int i = 0; i < items.Count(); ++i)
                m_widget->addItem(ToQString(items.At(i).text));
        }
        m_widget->setCurrentIndex(m_combo.GetCurSel());
        if (m_combo.HasEdit() && m_widget->lineEdit()) {
            const QString text = ToQString(m_combo.GetWindowText());
            if (m_widget->lineEdit()->text() != text)
                m_widget->lineEdit()->setText(text);
        }
    }

  private:
    CComboBox& m_combo;
    bool m_enterChose = false;  // Enter chose the item found since the last key typed
};

}  // namespace

std::unique_ptr<Peer> MakeComboPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    auto* combo = dynamic_cast<CComboBox*>(&window);
    return combo ? std::make_unique<ComboPeer>(frontEnd, *combo, parent) : nullptr;
}

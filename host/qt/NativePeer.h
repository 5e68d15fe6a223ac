#pragma once
// The peers of controls that have a native Qt widget. The widget shows the
// control's state and reports a person's actions through the control's own
// person operations (Click, TypeText, UserSelect ...), which change the
// layer's state and notify as Windows controls do; the widget then follows
// the layer, never the other way round.
#include <QPointer>
#include <QString>

#include "Peer.h"
#include "QtFrontEnd.h"
#include "QtPainterDC.h"

inline QString ToQString(const CString& text) {
    return QString::fromUtf8(text.c_str(), text.GetLength());
}
inline CString FromQString(const QString& text) {
    return CString(text.toUtf8().toStdString());
}

template <class W>
class NativePeer : public Peer {
  public:
    NativePeer(QtFrontEnd& frontEnd, CWnd& window, W* widget)
        : Peer(frontEnd, window), m_widget(widget) {}
    ~NativePeer() override { delete m_widget.data(); }
    QWidget* Widget() const override { return m_widget.data(); }

    void Sync(WindowChange change) override {
        Peer::Sync(change);
        if (!m_widget)
            return;
        if (change == WindowChange::Font || change == WindowChange::Created) {
            if (const CFont* font = m_window.GetFont())
                m_widget->setFont(ToQFont(font));
        }
        if (change == WindowChange::Created || change == WindowChange::Text ||
            change == WindowChange::Content) {
            SyncContent();
        }
    }

  protected:
    // Shows the control's current state.
    virtual void SyncContent() = 0;
    // True while the layer is updating the widget: its signals are not a person.
    bool FromLayer() const { return m_frontEnd.Syncing(); }
    QPointer<W> m_widget;
};

std::unique_ptr<Peer> MakeButtonPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
std::unique_ptr<Peer> MakeStaticPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
std::unique_ptr<Peer> MakeEditPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
std::unique_ptr<Peer> MakeRichEditPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
std::unique_ptr<Peer> MakeComboPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
std::unique_ptr<Peer> MakeListBoxPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
std::unique_ptr<Peer> MakeListViewPeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);
std::unique_ptr<Peer> MakeDateTimePeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);

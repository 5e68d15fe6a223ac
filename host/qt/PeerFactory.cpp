#include "NativePeer.h"
#include "PaintedPeer.h"
#include "Peer.h"

// Controls with a native Qt counterpart get a native peer; every window that
// draws itself (views, grids, tab strips, tips, dialogs, panels) gets a
// painted one.
std::unique_ptr<Peer> MakePeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    std::unique_ptr<Peer> peer;
    switch (window.GetKind()) {
        case WindowKind::Button:
            peer = MakeButtonPeer(frontEnd, window, parent);
            break;
        case WindowKind::Static:
            peer = MakeStaticPeer(frontEnd, window, parent);
            break;
        case WindowKind::Edit:
            peer = MakeEditPeer(frontEnd, window, parent);
            break;
        case WindowKind::RichEdit:
            peer = MakeRichEditPeer(frontEnd, window, parent);
            break;
        case WindowKind::ComboBox:
            peer = MakeComboPeer(frontEnd, window, parent);
            break;
        case WindowKind::ListBox:
            peer = MakeListBoxPeer(frontEnd, window, parent);
            break;
        case WindowKind::ListView:
            peer = MakeListViewPeer(frontEnd, window, parent);
            break;
        case WindowKind::DateTime:
            peer = MakeDateTimePeer(frontEnd, window, parent);
            break;
        default:
            break;
    }
    if (peer)
        return peer;
    peer = std::make_unique<PaintedPeer>(frontEnd, window, parent);
    if (!parent) {
        QWidget* widget = peer->Widget();
        if (window.GetKind() == WindowKind::Tip) {
            widget->setWindowFlags(Qt::ToolTip | Qt::FramelessWindowHint);
            widget->setFocusPolicy(Qt::NoFocus);
        } else if (window.GetKind() == WindowKind::Dialog) {
            widget->setWindowFlags(Qt::Dialog);
        }
    }
    return peer;
}

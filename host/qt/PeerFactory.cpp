#include "PaintedPeer.h"
#include "Peer.h"

// Windows that draw themselves get a painted peer. Controls with a native Qt
// counterpart get their own peers (added as the controls land); until then
// they too are painted, showing their text.
std::unique_ptr<Peer> MakePeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent) {
    return std::make_unique<PaintedPeer>(frontEnd, window, parent);
}

#pragma once
// A Qt peer: the widget that shows one layer window. The base keeps geometry,
// visibility, enabled state and focus in step; kinds of windows add what they
// show.
#include <QWidget>

#include "ui/CWnd.h"

class QtFrontEnd;

class Peer {
  public:
    Peer(QtFrontEnd& frontEnd, CWnd& window) : m_frontEnd(frontEnd), m_window(window) {}
    virtual ~Peer();
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    virtual QWidget* Widget() const = 0;
    CWnd& Window() const { return m_window; }

    // Brings the peer in line with its window after a change.
    virtual void Sync(WindowChange change);
    virtual void Invalidate(const CRect& rect, bool erase);
    virtual void PaintNow();

  protected:
    QtFrontEnd& m_frontEnd;
    CWnd& m_window;
};

// Makes the peer for a window, as a child of `parent` (null for a top-level one).
std::unique_ptr<Peer> MakePeer(QtFrontEnd& frontEnd, CWnd& window, QWidget* parent);

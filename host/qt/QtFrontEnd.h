#pragma once
// The Qt front end of the window layer: every layer window gets a Qt peer
// widget at the layer's rectangle; peers follow every change of their window
// at once and turn a person's input into the layer's messages. Timers are Qt
// timers, posted messages are pumped from the Qt event loop, and requests for
// a person are real Qt dialogs.
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>

#include "QtUserServices.h"
#include "ui/Clipboard.h"
#include "ui/FrontEnd.h"
#include "ui/WindowLayer.h"
#include "ui/WindowSystem.h"

class QTimer;
class Peer;

class QtFrontEnd : public QObject, public FrontEnd {
    Q_OBJECT
  public:
    QtFrontEnd();
    ~QtFrontEnd() override;

    void Attach(WindowSystem& system) { m_system = &system; }
    WindowSystem* System() const { return m_system; }

    void WindowChanged(CWnd& window, WindowChange change) override;
    void Invalidate(CWnd& window, const CRect& rect, bool erase) override;
    void Update(CWnd& window) override;
    void StartTimer(HWND window, UINT id, UINT period) override;
    void StopTimer(HWND window, UINT id) override;
    void Wake() override;
    CPoint ScreenOrigin(const CWnd& topLevel) const override;
    UserServices& Person() override { return m_person; }
    QtUserServices& QtPerson() { return m_person; }
    Clipboard& GetClipboard() override { return m_clipboard; }
    CRect ScreenWorkArea(CPoint screenPoint) const override;

    // The peer widget of a layer window (null when it has none).
    QWidget* WidgetOf(const CWnd& window) const;
    Peer* PeerOf(HWND window) const;
    // The window whose peer is this widget (or one of its ancestors).
    CWnd* WindowOf(const QWidget* widget) const;

    // While true, peers do not report their own changes back to the layer
    // (the layer is the one changing them).
    bool Syncing() const { return m_syncing > 0; }

  signals:
    void DialogEnded(const CWnd* dialog);

  public slots:
    void Pump();

  private:
    struct SyncGuard {
        explicit SyncGuard(QtFrontEnd& f) : frontEnd(f) { ++frontEnd.m_syncing; }
        ~SyncGuard() { --frontEnd.m_syncing; }
        QtFrontEnd& frontEnd;
    };
    void create(CWnd& window);
    void destroy(HWND window);

    WindowSystem* m_system = nullptr;
    // The desktop's clipboard.
    class QtClipboard final : public Clipboard {
      public:
        void SetText(const CString& text) override;
        CString GetText() const override;
    };
    QtUserServices m_person;
    QtClipboard m_clipboard;
    std::map<HWND, std::unique_ptr<Peer>> m_peers;
    std::map<std::pair<HWND, UINT>, QTimer*> m_timers;
    bool m_wakePending = false;
    int m_syncing = 0;
};

// A Qt window layer ready to use: front end and window system, set in the
// current host context for this object's lifetime.
class QtUi : public WindowLayer<QtFrontEnd> {
  public:
    QtUi() : WindowLayer(HostContext::Current(), false) {}
};

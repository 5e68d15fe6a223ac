#pragma once
// The main window of newsdesk: the layout host window of the views fills
// it, under a toolbar with the symbol box that links views by symbol (and
// the link group it speaks to) and the replay's speed and pause; the status
// line tells where the replay stands. Closing it saves and closes every view.
#include <QMainWindow>
#include <QPointer>
#include <cstdint>
#include <memory>

class QComboBox;
class QLabel;
class QToolButton;
class ConnectionLink;
class FeedHealth;
class FeedHealthSink;
class HealthBar;
class LayoutHostWnd;
class MainFrameStory;
class NewsBackend;
class QtFrontEnd;
class ReplayDriver;
class ViewHost;

class DeskWindow : public QMainWindow {
    Q_OBJECT
  public:
    DeskWindow(QtFrontEnd& frontEnd, LayoutHostWnd& layout, ViewHost& host, NewsBackend& backend,
               QWidget* parent = nullptr);
    ~DeskWindow() override;

    void AttachReplay(ReplayDriver* replay);
    // The feed health of each service in the status bar (none until attached).
    void AttachHealth(FeedHealth& health, FeedHealthSink& sink);
    HealthBar* Health() const { return m_health; }
    // The desk's "now": the replay's clock while it replays the day, else the host's.
    std::int64_t DeskNow() const;
    // The host's own story window, behind the toolbar's latest-story button
    // (disabled until one is attached).
    void AttachHostStory(MainFrameStory* story);
    // What the button does: the story of the newest headline; false when
    // there is none or no story window.
    bool ShowLatestStory();
    // Saves and closes every view, once (closing the window does it too).
    void CloseViews();
    bool ViewsClosed() const { return m_viewsClosed; }

    // The symbol box, as a person uses it: the text's first word is the
    // symbol id; the views of the chosen link group follow it.
    void ChooseSymbol(const QString& text);
    int LinkGroup() const;
    // Fills the symbol box with the back-end's listed symbols (market 16).
    void RefreshSymbols();
    QString StatusText() const;
    // The title bar button: the active view's host setting, taken when the
    // view is opened again. False when there is no active view.
    bool SetActiveViewTitleBar(bool shown);
    // The connection button: cuts the link to the servers or restores it;
    // true when it is up afterwards.
    bool ToggleConnection();
    // The search menu's entries (and their shortcuts): the active view's
    // dialog of that command, its sheet shown first. False when the active
    // view has no sheet for it.
    bool OpenActiveViewDialog(unsigned command);
    // The edit menu's copy: the active view's selected rows onto the
    // clipboard, as Ctrl+C in its sheet does. False when none is selected.
    bool CopyActiveViewRows();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildToolbar();
    void buildDialogMenu();
    void buildEditMenu();
    void updateStatus();

    QtFrontEnd& m_frontEnd;
    LayoutHostWnd& m_layout;
    ViewHost& m_host;
    NewsBackend& m_backend;
    QPointer<ReplayDriver> m_replay;
    QComboBox* m_linkGroup = nullptr;
    QComboBox* m_symbol = nullptr;
    QComboBox* m_speed = nullptr;
    QToolButton* m_pause = nullptr;
    QToolButton* m_titleBar = nullptr;
    QToolButton* m_latestStory = nullptr;
    QToolButton* m_connect = nullptr;
    std::unique_ptr<ConnectionLink> m_link;
    MainFrameStory* m_hostStory = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_connection = nullptr;
    HealthBar* m_health = nullptr;
    bool m_viewsClosed = false;
    bool m_symbolsLoaded = false;
};

#pragma once
// Where newsdesk shows its alerts on warning matches: a notification of the
// system tray, or, with no tray (the offscreen platform, a desktop without
// one), the main window's status line. Clicking the notification brings the
// window forward and opens the alert's story. It also puts the alerts' check
// item in the window's menu (the host's setting, DeskAlerts).
#include <QObject>
#include <QString>
#include <optional>

#include "app/desk/DeskAlert.h"

class DeskAlerts;
class MainFrameStory;
class QAction;
class QMainWindow;
class QSystemTrayIcon;

class AlertTray : public QObject {
    Q_OBJECT
  public:
    // The objects must outlive this one.
    AlertTray(QMainWindow& window, DeskAlerts& alerts, MainFrameStory& story);
    ~AlertTray() override;

    // What the tray's click calls: the window forward and the last alert's
    // story opened; false when there is none or it cannot be shown.
    bool Clicked();
    // The text of the last alert shown, and whether a tray shows them.
    const QString& LastText() const { return m_lastText; }
    bool HasTray() const { return m_tray != nullptr; }
    QAction* MenuItem() const { return m_item; }

  private:
    void show(const DeskAlert& alert);

    QMainWindow& m_window;
    DeskAlerts& m_alerts;
    MainFrameStory& m_story;
    QSystemTrayIcon* m_tray = nullptr;
    QAction* m_item = nullptr;
    std::optional<DeskAlert> m_last;
    QString m_lastText;
};

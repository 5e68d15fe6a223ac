#include "AlertTray.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <cstdio>

#include "HostApi.h"
#include "app/desk/DeskAlerts.h"
#include "app/desk/MainFrameStory.h"

namespace {

QString text(const char* key) {
    return QString::fromUtf8(s_LangGetLangString(key).c_str());
}

// How long the status line shows an alert when there is no tray.
constexpr int kStatusMs = 10000;

}  // namespace

AlertTray::AlertTray(QMainWindow& window, DeskAlerts& alerts, MainFrameStory& story)
    : m_window(window), m_alerts(alerts), m_story(story) {
    QMenu* menu = window.menuBar()->addMenu(text("IDS_NEWSDESK_MENU_ALERTS"));
    m_item = menu->addAction(text("IDS_NEWSDESK_ALERTS"));
    m_item->setCheckable(true);
    m_item->setChecked(alerts.Enabled());
    m_item->setToolTip(text("IDS_NEWSDESK_ALERTS_TIP"));
    m_item->setStatusTip(text("IDS_NEWSDESK_ALERTS_TIP"));
    menu->setToolTipsVisible(true);
    connect(m_item, &QAction::toggled, this, [this](bool on) {
        if (!m_alerts.SetEnabled(on))
            m_window.statusBar()->showMessage(text("IDS_NEWSDESK_ALERTS_NOT_SAVED"), kStatusMs);
    });
    if (QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray =
            new QSystemTrayIcon(window.style()->standardIcon(QStyle::SP_MessageBoxWarning), this);
        m_tray->setToolTip(text("IDS_NEWSDESK_TITLE"));
        connect(m_tray, &QSystemTrayIcon::messageClicked, this, [this] { Clicked(); });
        connect(m_tray, &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        Clicked();
                });
        m_tray->show();
    }
    alerts.SetNotifier([this](const DeskAlert& alert) { show(alert); });
}

AlertTray::~AlertTray() {
    m_alerts.SetNotifier(nullptr);
}

void AlertTray::show(const DeskAlert& alert) {
    m_last = alert;
    m_lastText = QString::fromUtf8(DeskAlerts::Text(alert).c_str());
    if (m_tray) {
        m_tray->showMessage(text("IDS_NEWSDESK_ALERT_TITLE"), m_lastText, QSystemTrayIcon::Warning);
        return;
    }
    m_window.statusBar()->showMessage(
        text("IDS_NEWSDESK_ALERT_TITLE") + QStringLiteral(": ") + m_lastText, kStatusMs);
}

bool AlertTray::Clicked() {
    if (m_window.isMinimized())
        m_window.showNormal();
    m_window.raise();
    m_window.activateWindow();
    if (!m_last)
        return false;
    std::string error;
    if (!DeskAlerts::Open(*m_last, m_story, error)) {
        std::fprintf(stderr, "newsdesk: alert: %s\n", error.c_str());
        return false;
    }
    return true;
}

#pragma once
// The status bar's feed health: one small button per news service with its
// short name and the time of its last headline, marked when the service is
// stale (silent much longer than usual in market hours) or misses serials
// of the day. The tooltip tells the details; the button's menu recovers the
// missing news.
#include <QWidget>
#include <cstdint>
#include <functional>
#include <map>

#include "WinTypes.h"

class FeedHealth;
class FeedHealthSink;
class NewsBackend;
class QHBoxLayout;
class QTimer;
class QToolButton;
struct ServiceHealth;

class HealthBar : public QWidget {
    Q_OBJECT
  public:
    // `now` is the desk's notion of now (the replay's clock when it replays).
    HealthBar(NewsBackend& backend, FeedHealth& health, FeedHealthSink& sink,
              std::function<std::int64_t()> now, QWidget* parent = nullptr);

    // Shows what the health holds now; done every second, which is as
    // fine as the times it shows, and keeps the replay's ticks cheap.
    void Refresh();
    // What the menu's entry does; false when nothing was asked for.
    bool RecoverMissing(BYTE service);
    // The button's text and tooltip of a service (empty for one not shown).
    QString ButtonText(BYTE service) const;
    QString ButtonToolTip(BYTE service) const;

  signals:
    // A line for the status bar after a recovery was asked for.
    void Told(const QString& message);

  private:
    QToolButton* buttonOf(BYTE service, const QString& shortName);
    QString shortNameOf(BYTE service) const;
    QString buttonText(const ServiceHealth& health) const;
    QString toolTip(const ServiceHealth& health) const;

    NewsBackend& m_backend;
    FeedHealth& m_health;
    FeedHealthSink& m_sink;
    std::function<std::int64_t()> m_now;
    QHBoxLayout* m_row = nullptr;
    QTimer* m_timer = nullptr;
    std::map<BYTE, QToolButton*> m_buttons;
};

#include "HealthBar.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QTimer>
#include <QToolButton>

#include "CTime.h"
#include "HostApi.h"
#include "NewsBackend.h"
#include "app/desk/FeedHealth.h"
#include "app/desk/FeedHealthSink.h"

namespace {

QString text(const char* key) {
    return QString::fromUtf8(s_LangGetLangString(key).c_str());
}

QString shortTime(std::int64_t seconds) {
    return QString::fromUtf8(CTime(seconds).Format("%H:%M").c_str());
}

QString fullTime(std::int64_t seconds) {
    return QString::fromUtf8(CTime(seconds).Format("%Y/%m/%d %H:%M:%S").c_str());
}

// Back-end texts in the interface's script, as the views show them.
QString serviceText(BYTE service, const CString& name) {
    if (!s_LangIsConvertToSimplified(service))
        return QString::fromUtf8(name.c_str());
    CString simplified;
    s_LangConvertToSimplifiedChinese(name, simplified);
    return QString::fromUtf8(simplified.c_str());
}

QString missingList(const ServiceHealth& h) {
    QStringList serials;
    for (const std::uint32_t serial : h.missing)
        serials << QString::number(serial);
    QString list = serials.join(QStringLiteral(", "));
    if (h.missingCount > h.missing.size())
        list += QStringLiteral(" +%1 ").arg(h.missingCount - h.missing.size()) +
                text("IDS_NEWSDESK_HEALTH_MORE");
    return list;
}

}  // namespace

HealthBar::HealthBar(NewsBackend& backend, FeedHealth& health, FeedHealthSink& sink,
                     std::function<std::int64_t()> now, QWidget* parent)
    : QWidget(parent), m_backend(backend), m_health(health), m_sink(sink), m_now(std::move(now)) {
    m_row = new QHBoxLayout(this);
    m_row->setContentsMargins(0, 0, 0, 0);
    m_row->setSpacing(2);
    m_timer = new QTimer(this);
    connect(m_timer, &QTimer::timeout, this, &HealthBar::Refresh);
    m_timer->start(1000);
}

QToolButton* HealthBar::buttonOf(BYTE service, const QString& shortName) {
    if (const auto it = m_buttons.find(service); it != m_buttons.end())
        return it->second;
    auto* button = new QToolButton(this);
    button->setAutoRaise(true);
    button->setPopupMode(QToolButton::InstantPopup);
    button->setProperty("service", static_cast<int>(service));
    button->setProperty("shortName", shortName);
    auto* menu = new QMenu(button);
    QAction* recover = menu->addAction(text("IDS_NEWSDESK_HEALTH_RECOVER"));
    connect(recover, &QAction::triggered, this, [this, service] { RecoverMissing(service); });
    // Offered only while something is missing.
    connect(menu, &QMenu::aboutToShow, this, [this, service, recover] {
        recover->setEnabled(m_health.Health(service, m_now()).missingCount > 0);
    });
    button->setMenu(menu);
    m_row->addWidget(button);
    m_buttons[service] = button;
    return button;
}

void HealthBar::Refresh() {
    const std::int64_t now = m_now();
    for (const ServiceRow& row : m_backend.Services()) {
        QToolButton* button = buttonOf(row.service, serviceText(row.service, row.shortName));
        const ServiceHealth h = m_health.Health(row.service, now);
        const QString shown = buttonText(h);
        if (button->text() != shown)
            button->setText(shown);
        // Stale in white on red, so it stands out among several services.
        const QString style =
            h.stale ? QStringLiteral("QToolButton { color: white; background: #c0392b; }")
                    : QString();
        if (button->styleSheet() != style)
            button->setStyleSheet(style);
        const QString tip = toolTip(h);
        if (button->toolTip() != tip)
            button->setToolTip(tip);
    }
}

QString HealthBar::ButtonText(BYTE service) const {
    return m_buttons.count(service) ? buttonText(m_health.Health(service, m_now())) : QString();
}

QString HealthBar::ButtonToolTip(BYTE service) const {
    return m_buttons.count(service) ? toolTip(m_health.Health(service, m_now())) : QString();
}

QString HealthBar::shortNameOf(BYTE service) const {
    const auto it = m_buttons.find(service);
    const QString name =
        it == m_buttons.end() ? QString() : it->second->property("shortName").toString();
    return name.isEmpty() ? QString::number(service) : name;
}

QString HealthBar::buttonText(const ServiceHealth& h) const {
    QString shown = shortNameOf(h.service) + QLatin1Char(' ') +
                    (h.lastTime ? shortTime(*h.lastTime) : QStringLiteral("--:--"));
    if (h.stale)
        shown += QLatin1Char(' ') + text("IDS_NEWSDESK_HEALTH_STALE_MARK");
    if (h.missingCount > 0)
        shown += QStringLiteral(" \u26A0%1").arg(h.missingCount);
    return shown;
}

QString HealthBar::toolTip(const ServiceHealth& h) const {
    const auto row = m_backend.Service(h.service);
    QStringList lines;
    lines << (row ? serviceText(h.service, row->fullName) : QString::number(h.service));
    lines << text("IDS_NEWSDESK_HEALTH_LAST") + QStringLiteral(": ") +
                 (h.lastTime ? fullTime(*h.lastTime) : text("IDS_NEWSDESK_HEALTH_NONE"));
    lines << text("IDS_NEWSDESK_HEALTH_GAP") + QStringLiteral(": ") +
                 (h.usualGap ? QStringLiteral("%1 s").arg(*h.usualGap)
                             : text("IDS_NEWSDESK_HEALTH_NONE"));
    lines << text("IDS_NEWSDESK_HEALTH_STALE_RULE") + QStringLiteral(": %1 s").arg(h.staleAfter) +
                 (h.stale ? QStringLiteral(" - ") + text("IDS_NEWSDESK_HEALTH_STALE_MARK")
                          : QString());
    if (h.missingCount > 0) {
        lines << text("IDS_NEWSDESK_HEALTH_MISSING") + QStringLiteral(": ") + missingList(h);
        lines << text("IDS_NEWSDESK_HEALTH_CLICK");
    }
    return lines.join(QLatin1Char('\n'));
}

bool HealthBar::RecoverMissing(BYTE service) {
    const std::int64_t now = m_now();
    const ServiceHealth h = m_health.Health(service, now);
    if (!m_sink.RecoverMissing(service, now))
        return false;
    emit Told(text("IDS_NEWSDESK_HEALTH_ASKED") + QLatin1Char(' ') + shortNameOf(service) +
              QStringLiteral(": ") + missingList(h));
    return true;
}

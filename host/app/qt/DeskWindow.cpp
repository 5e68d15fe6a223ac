#include "DeskWindow.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "CTime.h"
#include "HealthBar.h"
#include "HostApi.h"
#include "HostContext.h"
#include "NewsBackend.h"
#include "ReplayDriver.h"
#include "app/desk/ConnectionLink.h"
#include "app/desk/LayoutHostWnd.h"
#include "app/desk/MainFrameStory.h"
#include "app/desk/ViewCopy.h"
#include "app/desk/ViewDialogs.h"
#include "app/desk/ViewHost.h"
#include "qt/QtFrontEnd.h"

namespace {

QString text(const char* key) {
    return QString::fromUtf8(s_LangGetLangString(key).c_str());
}

// The central widget: it holds the layout host window's peer and gives the
// layout window its size, so the layer lays the views out.
class LayoutContainer : public QWidget {
  public:
    LayoutContainer(LayoutHostWnd& layout, QWidget* peer, QWidget* parent)
        : QWidget(parent), m_layout(layout), m_peer(peer) {
        if (m_peer) {
            m_peer->setParent(this);
            m_peer->move(0, 0);
            m_peer->show();
        }
    }

  protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (m_layout.IsWindow())
            m_layout.MoveWindow(CRect(0, 0, width(), height()));
    }

  private:
    LayoutHostWnd& m_layout;
    QPointer<QWidget> m_peer;
};

}  // namespace

DeskWindow::DeskWindow(QtFrontEnd& frontEnd, LayoutHostWnd& layout, ViewHost& host,
                       NewsBackend& backend, QWidget* parent)
    : QMainWindow(parent),
      m_frontEnd(frontEnd),
      m_layout(layout),
      m_host(host),
      m_backend(backend) {
    setWindowTitle(text("IDS_NEWSDESK_TITLE"));
    setCentralWidget(new LayoutContainer(layout, frontEnd.WidgetOf(layout), this));
    m_link = std::make_unique<ConnectionLink>(backend);
    buildToolbar();
    buildDialogMenu();
    buildEditMenu();
    m_status = new QLabel(this);
    m_connection = new QLabel(this);
    statusBar()->addWidget(m_status, 1);
    statusBar()->addPermanentWidget(m_connection);
    updateStatus();
}

DeskWindow::~DeskWindow() = default;

void DeskWindow::buildToolbar() {
    QToolBar* bar = addToolBar(text("IDS_NEWSDESK_TITLE"));
    bar->setMovable(false);
    bar->addWidget(new QLabel(text("IDS_NEWSDESK_LINK_GROUP") + " ", bar));
    m_linkGroup = new QComboBox(bar);
    for (int g = 1; g <= SKQBaseView::kLinkGroupCount; ++g)
        m_linkGroup->addItem(QString::number(g), g);
    bar->addWidget(m_linkGroup);
    bar->addSeparator();
    bar->addWidget(new QLabel(text("IDS_NEWSDESK_SYMBOL") + " ", bar));
    m_symbol = new QComboBox(bar);
    m_symbol->setEditable(true);
    m_symbol->setInsertPolicy(QComboBox::NoInsert);
    m_symbol->setMinimumWidth(180);
    m_symbol->completer()->setFilterMode(Qt::MatchContains);
    m_symbol->completer()->setCompletionMode(QCompleter::PopupCompletion);
    connect(m_symbol, &QComboBox::textActivated, this,
            [this](const QString& t) { ChooseSymbol(t); });
    bar->addWidget(m_symbol);
    bar->addSeparator();
    bar->addWidget(new QLabel(text("IDS_NEWSDESK_SPEED") + " ", bar));
    m_speed = new QComboBox(bar);
    for (const char* speed : {"1x", "10x", "60x", "300x"})
        m_speed->addItem(QString::fromLatin1(speed), QString::fromLatin1(speed));
    m_speed->addItem(text("IDS_NEWSDESK_SPEED_MAX"), QStringLiteral("max"));
    connect(m_speed, &QComboBox::activated, this, [this](int index) {
        const auto speed =
            feed::ReplaySpeed::Parse(m_speed->itemData(index).toString().toStdString());
        if (m_replay && speed)
            m_replay->SetSpeed(*speed);
    });
    bar->addWidget(m_speed);
    m_pause = new QToolButton(bar);
    m_pause->setText(text("IDS_NEWSDESK_PAUSE"));
    connect(m_pause, &QToolButton::clicked, this, [this] {
        if (!m_replay)
            return;
        m_replay->TogglePause();
        m_pause->setText(text(m_replay->IsPaused() ? "IDS_NEWSDESK_RESUME" : "IDS_NEWSDESK_PAUSE"));
    });
    bar->addWidget(m_pause);
    bar->addSeparator();
    m_titleBar = new QToolButton(bar);
    m_titleBar->setText(text("IDS_NEWSDESK_TITLE_BAR"));
    m_titleBar->setToolTip(text("IDS_NEWSDESK_TITLE_BAR_TIP"));
    m_titleBar->setCheckable(true);
    m_titleBar->setChecked(true);
    connect(m_titleBar, &QToolButton::clicked, this,
            [this](bool checked) { SetActiveViewTitleBar(checked); });
    bar->addWidget(m_titleBar);
    m_speed->setEnabled(false);
    m_pause->setEnabled(false);
    bar->addSeparator();
    m_latestStory = new QToolButton(bar);
    m_latestStory->setText(text("IDS_NEWSDESK_LATEST_STORY"));
    m_latestStory->setEnabled(false);
    connect(m_latestStory, &QToolButton::clicked, this, [this] { ShowLatestStory(); });
    bar->addWidget(m_latestStory);
    bar->addSeparator();
    m_connect = new QToolButton(bar);
    m_connect->setText(text(m_link->ButtonTextKey()));
    connect(m_connect, &QToolButton::clicked, this, [this] { ToggleConnection(); });
    bar->addWidget(m_connect);
}

bool DeskWindow::ToggleConnection() {
    const bool up = m_link->Toggle();
    m_connect->setText(text(m_link->ButtonTextKey()));
    updateStatus();
    return up;
}

void DeskWindow::AttachHostStory(MainFrameStory* story) {
    m_hostStory = story;
    m_latestStory->setEnabled(story != nullptr);
}

bool DeskWindow::ShowLatestStory() {
    if (!m_hostStory)
        return false;
    std::string error;
    if (!m_hostStory->ShowLatest(error)) {
        statusBar()->showMessage(QString::fromStdString(error), 5000);
        return false;
    }
    return true;
}

void DeskWindow::buildDialogMenu() {
    QMenu* menu = menuBar()->addMenu(text("IDS_NEWSDESK_MENU_SEARCH"));
    const struct {
        unsigned command;
        const char* textKey;
        const char* keys;
    } entries[] = {
        {kAdvancedSearchCommand, "IDS_NEWSDESK_ADVANCED_SEARCH", "Ctrl+Shift+F"},
        {kRelationSearchCommand, "IDS_NEWSDESK_RELATION_SEARCH", "Ctrl+Shift+R"},
        {kWarningSearchCommand, "IDS_NEWSDESK_WARNING_SEARCH", "Ctrl+Shift+W"},
    };
    std::vector<std::pair<QAction*, unsigned>> actions;
    for (const auto& entry : entries) {
        QAction* action = menu->addAction(text(entry.textKey));
        action->setShortcut(QKeySequence(QString::fromLatin1(entry.keys)));
        const unsigned command = entry.command;
        connect(action, &QAction::triggered, this,
                [this, command] { OpenActiveViewDialog(command); });
        actions.emplace_back(action, command);
    }
    // Each entry only for a view with the sheet its dialog edits.
    connect(menu, &QMenu::aboutToShow, this, [this, actions] {
        auto* view = dynamic_cast<SKQBaseView*>(m_layout.ActiveView());
        for (const auto& [action, command] : actions)
            action->setEnabled(view && ViewOffersDialog(*view, command));
    });
}

// Copy: the active view's selected rows. The key is only shown: Ctrl+C stays
// with the widget that has the focus (a sheet copies its rows, an edit its text).
void DeskWindow::buildEditMenu() {
    QMenu* menu = menuBar()->addMenu(text("IDS_NEWSDESK_MENU_EDIT"));
    QAction* copy = menu->addAction(text("IDS_NEWSDESK_COPY_ROWS") + QStringLiteral("\tCtrl+C"));
    connect(copy, &QAction::triggered, this, [this] { CopyActiveViewRows(); });
    connect(menu, &QMenu::aboutToShow, this,
            [this, copy] { copy->setEnabled(ViewHasSelectedRows(m_layout.ActiveView())); });
}

bool DeskWindow::CopyActiveViewRows() {
    return CopyViewRows(m_layout.ActiveView());
}

bool DeskWindow::OpenActiveViewDialog(unsigned command) {
    auto* view = dynamic_cast<SKQBaseView*>(m_layout.ActiveView());
    std::string why;
    // A shortcut reaches here without the menu: a view without the sheet
    // gets nothing.
    return view && ViewOffersDialog(*view, command) && OpenViewDialog(*view, command, why);
}

bool DeskWindow::SetActiveViewTitleBar(bool shown) {
    const auto* view = dynamic_cast<const SKQBaseView*>(m_layout.ActiveView());
    return view && m_host.SetTitleBarShown(*view, shown);
}

void DeskWindow::AttachHealth(FeedHealth& health, FeedHealthSink& sink) {
    m_health = new HealthBar(
        m_backend, health, sink, [this] { return DeskNow(); }, this);
    connect(m_health, &HealthBar::Told, this,
            [this](const QString& message) { statusBar()->showMessage(message, 5000); });
    // Beside the connection state, left of it, so both stay in view.
    statusBar()->removeWidget(m_connection);
    statusBar()->addPermanentWidget(m_health);
    statusBar()->addPermanentWidget(m_connection);
    m_connection->show();
    m_health->Refresh();
}

std::int64_t DeskWindow::DeskNow() const {
    if (m_replay) {
        if (const auto at = m_replay->Session().RecordingTime(m_replay->NowMs()))
            return *at;
    }
    return CTime::GetCurrentTime().GetTime();
}

void DeskWindow::AttachReplay(ReplayDriver* replay) {
    m_replay = replay;
    m_speed->setEnabled(replay != nullptr);
    m_pause->setEnabled(replay != nullptr);
    if (replay) {
        const feed::ReplaySpeed speed = replay->Session().Speed();
        int chosen = -1;
        for (int i = 0; i < m_speed->count(); ++i) {
            const auto item =
                feed::ReplaySpeed::Parse(m_speed->itemData(i).toString().toStdString());
            if (item && item->Factor() == speed.Factor())
                chosen = i;
        }
        if (chosen < 0) {
            // A speed given on the command line that the box does not offer
            // joins it, so the box and the status line tell the speed it runs at.
            const QString label = QString::number(speed.Factor()) + QStringLiteral("x");
            m_speed->addItem(label, label);
            chosen = m_speed->count() - 1;
        }
        m_speed->setCurrentIndex(chosen);
        connect(replay, &ReplayDriver::Ticked, this, [this] { updateStatus(); });
    }
    updateStatus();
}

int DeskWindow::LinkGroup() const {
    return m_linkGroup->currentData().toInt();
}

void DeskWindow::ChooseSymbol(const QString& chosen) {
    const QString id = chosen.trimmed().section(QLatin1Char(' '), 0, 0);
    if (id.isEmpty())
        return;
    if (m_symbol->currentText() != chosen)
        m_symbol->setEditText(chosen);  // chosen by other means than the box
    const CString symbol(id.toStdString());
    const BYTE market = StandardHostServices::kTwseMarket;
    HostContext::Current().OwnServices().SetCurrentSymbol(CSymbolInfo(market, symbol));
    m_host.ChangeSymbol(static_cast<BYTE>(LinkGroup()), market, symbol);
}

void DeskWindow::RefreshSymbols() {
    SymbolFilter filter;
    filter.market = StandardHostServices::kTwseMarket;
    const std::vector<SymbolRow> symbols = m_backend.Symbols(filter);
    if (symbols.empty())
        return;
    const QString typed = m_symbol->currentText();
    m_symbol->clear();
    for (const SymbolRow& row : symbols) {
        if (row.id.IsEmpty() || row.id.str()[0] == '#')
            continue;  // indexes are not symbols a view follows
        m_symbol->addItem(QString::fromUtf8(row.id.c_str()) + QStringLiteral("  ") +
                          QString::fromUtf8(row.name.c_str()));
    }
    m_symbol->setCurrentIndex(-1);
    m_symbol->setEditText(typed);
    m_symbolsLoaded = true;
}

QString DeskWindow::StatusText() const {
    return m_status->text();
}

void DeskWindow::updateStatus() {
    m_connection->setText(
        text(m_backend.IsConnected() ? "IDS_NEWSDESK_CONNECTED" : "IDS_NEWSDESK_NOT_CONNECTED"));
    if (!m_replay) {
        m_status->clear();
        return;
    }
    const ReplaySession& session = m_replay->Session();
    const feed::ReplayProgress progress = session.Progress();
    // Lines of the data set passed over as malformed (each told on stderr).
    const QString skipped = progress.skipped == 0
                                ? QString()
                                : QStringLiteral("  ·  ") + text("IDS_NEWSDESK_BAD_LINES") +
                                      QStringLiteral(" %1").arg(progress.skipped);
    if (!progress.historyDone) {
        m_status->setText(text("IDS_NEWSDESK_LOADING") +
                          QStringLiteral(" %1%").arg(static_cast<int>(progress.Fraction() * 100)) +
                          skipped);
        return;
    }
    if (!m_symbolsLoaded)
        RefreshSymbols();
    QString line = text(progress.finished ? "IDS_NEWSDESK_FINISHED" : "IDS_NEWSDESK_REPLAYING");
    if (const auto at = session.RecordingTime(m_replay->NowMs()))
        line +=
            QStringLiteral(" ") + QString::fromUtf8(CTime(*at).Format("%Y/%m/%d %H:%M:%S").c_str());
    line += QStringLiteral("  ·  ") + m_speed->currentText();
    line += QStringLiteral("  ·  %1 / %2").arg(progress.pushed).arg(progress.total);
    if (session.IsPaused())
        line += QStringLiteral("  ·  ") + text("IDS_NEWSDESK_PAUSE");
    m_status->setText(line + skipped);
}

void DeskWindow::CloseViews() {
    if (m_viewsClosed)
        return;
    m_viewsClosed = true;
    // As a host closes: settings saved, registrations withdrawn, windows gone.
    m_host.CloseAll(true);
}

void DeskWindow::closeEvent(QCloseEvent* event) {
    CloseViews();
    event->accept();
}

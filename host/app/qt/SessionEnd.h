#pragma once
// The desktop session ending (SIGTERM at logout or shutdown, SIGHUP when the
// terminal goes, SIGINT from Ctrl+C) ends newsdesk as closing its window
// does, so every view saves its settings. A signal handler may do almost
// nothing: it writes the signal into a pipe, and the GUI thread reads it
// there and quits in order. A second signal of the same kind ends the
// process at once.
#include <QObject>
#include <QSocketNotifier>
#include <functional>

class SessionEnd : public QObject {
  public:
    // Catches the signals from now on; one caught before a SessionEnd exists
    // waits in the pipe for it.
    static void CatchSignals();

    // `end` runs on the GUI thread, once, when a caught signal is read.
    explicit SessionEnd(std::function<void(int signal)> end, QObject* parent = nullptr);

  private:
    std::function<void(int)> m_end;
    QSocketNotifier* m_notifier = nullptr;
    bool m_ended = false;
};

#pragma once
// The control folder of a running newsdesk (--control DIR), for desktop
// tests: newsdesk makes DIR/commands, a FIFO; each line written into it is
// answered on the GUI thread between events, one line at a time, and the
// answer is appended to DIR/answers followed by a line "done N" (N counts the
// lines from 1), so a reader that sees "done N" has the whole answer.
// Only reports and screenshots: a test acts through the real mouse and keys.
#include <QObject>
#include <QSocketNotifier>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

class ControlChannel : public QObject {
  public:
    using Answer = std::function<void(const std::string& line, std::ostream& out)>;

    // Null, with the reason in `error`, when the folder or its FIFO cannot be made.
    static std::unique_ptr<ControlChannel> Open(const std::string& folder, Answer answer,
                                                std::string& error);
    ~ControlChannel() override;

  private:
    ControlChannel(int fd, std::string answers, Answer answer);
    void readable();
    void run(const std::string& line);

    int m_fd = -1;
    std::string m_answers;
    Answer m_answer;
    QSocketNotifier* m_notifier = nullptr;
    std::string m_pending;  // a line not yet ended
    int m_count = 0;
};

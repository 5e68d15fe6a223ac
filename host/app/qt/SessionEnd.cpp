#include "SessionEnd.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace {

int g_pipe[2] = {-1, -1};

void caught(int signal) {
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    // Nothing to do when the pipe is full: an end is already waiting.
    [[maybe_unused]] const ssize_t written = ::write(g_pipe[1], &byte, 1);
    // A second one ends the process at once, should the GUI thread be stuck.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    ::sigaction(signal, &fallback, nullptr);
    errno = saved;
}

}  // namespace

void SessionEnd::CatchSignals() {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action {};
    action.sa_handler = caught;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(signal, &action, nullptr);
}

SessionEnd::SessionEnd(std::function<void(int)> end, QObject* parent)
    : QObject(parent), m_end(std::move(end)) {
    if (g_pipe[0] < 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(g_pipe[0], &byte, 1) == 1) {
            if (!m_ended && m_end) {
                m_ended = true;
                m_end(static_cast<unsigned char>(byte));
            }
        }
    });
}

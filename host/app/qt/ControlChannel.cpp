#include "ControlChannel.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

std::unique_ptr<ControlChannel> ControlChannel::Open(const std::string& folder, Answer answer,
                                                     std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::create_directories(folder, ec);
    const std::string commands = (fs::path(folder) / "commands").string();
    const std::string answers = (fs::path(folder) / "answers").string();
    struct stat st {};
    if (::stat(commands.c_str(), &st) == 0) {
        if (!S_ISFIFO(st.st_mode)) {
            error = commands + " is there and is not a FIFO";
            return nullptr;
        }
    } else if (::mkfifo(commands.c_str(), 0600) != 0) {
        error = "cannot make the FIFO " + commands + ": " + std::strerror(errno);
        return nullptr;
    }
    // Held open for writing too, so the FIFO never reads as ended between
    // two writers (which would wake the notifier for ever).
    const int fd = ::open(commands.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot open " + commands + ": " + std::strerror(errno);
        return nullptr;
    }
    // Answers of an earlier run would pass for this one's.
    std::ofstream(answers, std::ios::trunc);
    return std::unique_ptr<ControlChannel>(new ControlChannel(fd, answers, std::move(answer)));
}

ControlChannel::ControlChannel(int fd, std::string answers, Answer answer)
    : m_fd(fd), m_answers(std::move(answers)), m_answer(std::move(answer)) {
    m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] { readable(); });
}

ControlChannel::~ControlChannel() {
    delete m_notifier;
    ::close(m_fd);
}

void ControlChannel::readable() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, sizeof buffer);
        if (n <= 0)
            break;
        m_pending.append(buffer, static_cast<std::size_t>(n));
    }
    for (std::size_t end; (end = m_pending.find('\n')) != std::string::npos;) {
        std::string line = m_pending.substr(0, end);
        m_pending.erase(0, end + 1);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        run(line);
    }
}

void ControlChannel::run(const std::string& line) {
    std::ostringstream out;
    m_answer(line, out);
    std::ofstream file(m_answers, std::ios::app);
    file << out.str() << "done " << ++m_count << '\n';
}

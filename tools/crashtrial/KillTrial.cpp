#include "KillTrial.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace crashtrial {

void AckWriter::Send(const Ack& ack) const {
    const auto* bytes = reinterpret_cast<const char*>(&ack);
    std::size_t done = 0;
    while (done < sizeof ack) {
        const ssize_t n = write(m_fd, bytes + done, sizeof ack - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            _exit(3);
        done += static_cast<std::size_t>(n);
    }
}

namespace {

// Reads whatever the pipe holds now (or, with a wait, until it has something
// or the wait is over); false at end of file.
bool readAcks(int fd, std::vector<char>& buffer, int waitMs) {
    pollfd pfd{fd, POLLIN, 0};
    const int ready = poll(&pfd, 1, waitMs);
    if (ready <= 0)
        return true;
    char chunk[4096];
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0)
        return errno == EINTR;
    if (n == 0)
        return false;
    buffer.insert(buffer.end(), chunk, chunk + n);
    return true;
}

}  // namespace

// True once the buffer holds an acknowledgement of `kind`.
bool holdsKind(const std::vector<char>& buffer, std::int64_t kind) {
    for (std::size_t at = 0; at + sizeof(Ack) <= buffer.size(); at += sizeof(Ack)) {
        Ack ack;
        std::memcpy(&ack, buffer.data() + at, sizeof ack);
        if (ack.kind == kind)
            return true;
    }
    return false;
}

KillOutcome RunAndKill(const std::function<void(const AckWriter&)>& work,
                       std::chrono::microseconds delay, std::optional<std::int64_t> armKind) {
    int fds[2];
    if (pipe(fds) != 0) {
        std::perror("crashtrial: pipe");
        std::exit(2);
    }
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0) {
        std::perror("crashtrial: fork");
        std::exit(2);
    }
    if (child == 0) {
        close(fds[0]);
        work(AckWriter(fds[1]));
        _exit(0);
    }
    close(fds[1]);

    KillOutcome outcome;
    std::vector<char> buffer;
    bool open = true;
    if (armKind) {
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        while (open && !holdsKind(buffer, *armKind) && std::chrono::steady_clock::now() < giveUp)
            open = readAcks(fds[0], buffer, 5);
    }
    const auto deadline = std::chrono::steady_clock::now() + delay;
    while (open) {
        const auto left = std::chrono::duration_cast<std::chrono::microseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            break;
        // Short waits keep the kill moment close to the drawn delay.
        const int waitMs = static_cast<int>(std::min<std::int64_t>(left.count() / 1000, 5));
        if (waitMs == 0) {
            usleep(static_cast<useconds_t>(left.count()));
            break;
        }
        open = readAcks(fds[0], buffer, waitMs);
    }
    kill(child, SIGKILL);
    while (open)
        open = readAcks(fds[0], buffer, -1);
    close(fds[0]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    outcome.killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    outcome.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    const std::size_t count = buffer.size() / sizeof(Ack);
    outcome.acks.resize(count);
    if (count > 0)
        std::memcpy(outcome.acks.data(), buffer.data(), count * sizeof(Ack));
    return outcome;
}

}  // namespace crashtrial

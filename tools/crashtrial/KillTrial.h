#pragma once
// One trial: a child process does work and tells the parent over a pipe what
// it has acknowledged; the parent kills it with SIGKILL after a delay and
// keeps every acknowledgement that reached the pipe.
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace crashtrial {

// One acknowledgement. Written whole with one write() (well under PIPE_BUF),
// so the parent never reads half of one.
struct Ack {
    std::int64_t kind = 0;
    std::int64_t a = 0;
    std::int64_t b = 0;
    std::int64_t c = 0;
};

class AckWriter {
  public:
    explicit AckWriter(int fd) : m_fd(fd) {}
    // Blocks until the acknowledgement is in the pipe; a closed pipe ends the child.
    void Send(const Ack& ack) const;

  private:
    int m_fd;
};

struct KillOutcome {
    std::vector<Ack> acks;
    bool killed = false;  // false: the child ended by itself before the delay was up
    int exitStatus = 0;   // the child's exit status when it was not killed
};

// Forks; the child runs `work` (which should not return) and exits. The parent
// kills it after `delay` and collects its acknowledgements. With `armKind`,
// the delay counts from the first acknowledgement of that kind (or from a
// minute on, should none come), so the kill falls in a given part of the work
// however loaded the machine is.
KillOutcome RunAndKill(const std::function<void(const AckWriter&)>& work,
                       std::chrono::microseconds delay,
                       std::optional<std::int64_t> armKind = std::nullopt);

}  // namespace crashtrial

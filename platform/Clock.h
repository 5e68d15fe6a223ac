#pragma once
// The source of "now". Everything that depends on the current time asks the
// host's clock, so tests and the automation can set it.
#include <atomic>
#include <cstdint>

class Clock {
  public:
    virtual ~Clock() = default;
    // Seconds since 1970-01-01 00:00:00 UTC.
    virtual std::int64_t Now() const = 0;
};

class SystemClock final : public Clock {
  public:
    std::int64_t Now() const override;
};

// A clock that stands still until told otherwise.
class ManualClock final : public Clock {
  public:
    explicit ManualClock(std::int64_t now = 0) : m_now(now) {}
    std::int64_t Now() const override { return m_now.load(); }
    void Set(std::int64_t now) { m_now.store(now); }
    void Advance(std::int64_t seconds) { m_now.fetch_add(seconds); }

  private:
    std::atomic<std::int64_t> m_now;
};

#pragma once
// Switches the process's time zone for a scope and puts the previous one back
// (TZ unset again when it was unset). Every test runs in Taipei time (see
// TestEnvironment.cpp); only a test about another zone's rules needs this.
// The zone is process-wide: no other thread may read local times meanwhile.
#include <optional>
#include <string>

class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone);
    ~ScopedTimeZone();
    ScopedTimeZone(const ScopedTimeZone&) = delete;
    ScopedTimeZone& operator=(const ScopedTimeZone&) = delete;

  private:
    std::optional<std::string> m_previous;
};

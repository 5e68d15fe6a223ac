#pragma once
// The recorded news day, replayed into the back-end as if it were today: the
// recording is shifted so that its live day is the day of "now", the part of
// the day before the chosen start time comes at once, and the rest at the
// chosen speed. The owner calls Tick with a steady time in milliseconds and
// waits as long as Tick says before calling again.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "CString.h"
#include "feed/FeedReader.h"
#include "feed/FeedReplay.h"

class FeedTarget;

class ReplaySession {
  public:
    struct Settings {
        std::string path;  // the feed file
        feed::ReplaySpeed speed = feed::ReplaySpeed::RealTime();
        // Seconds after local midnight where the live replay starts; nullopt:
        // now, when now lies within the news day's busy hours, else the open.
        std::optional<int> startSecondOfDay;
        // Told of every line passed over as malformed (and of a file that
        // could not be read to its end), as it is found.
        std::function<void(const feed::FeedIssue&)> onIssue;
    };
    static constexpr int kBusyFrom = 8 * 3600;
    static constexpr int kBusyUntil = 18 * 3600;
    static constexpr int kDefaultStart = 8 * 3600 + 55 * 60;  // just before the open
    // Records pushed per tick at most, so the GUI keeps answering while the
    // history loads.
    static constexpr std::size_t kBudget = 400;

    // Null with the reason when the file cannot be read, or is refused as a
    // whole (a newer format, no line ends at all).
    static std::unique_ptr<ReplaySession> Open(FeedTarget& target, const Settings& settings,
                                               std::int64_t nowSeconds, CString& error);

    // Pushes what is due at `nowMs`; returns the milliseconds to wait before
    // the next call (0: at once), or nullopt when nothing more will come.
    std::optional<std::int64_t> Tick(std::int64_t nowMs);

    void SetSpeed(feed::ReplaySpeed speed, std::int64_t nowMs) { m_replay->SetSpeed(speed, nowMs); }
    void Pause(std::int64_t nowMs) { m_replay->Pause(nowMs); }
    void Resume(std::int64_t nowMs) { m_replay->Resume(nowMs); }
    bool IsPaused() const { return m_replay->IsPaused(); }
    feed::ReplaySpeed Speed() const { return m_replay->Speed(); }
    feed::ReplayProgress Progress() const { return m_replay->Progress(); }
    // The recording time reached (seconds, on today's scale); nullopt before the live part.
    std::optional<std::int64_t> RecordingTime(std::int64_t nowMs) const {
        return m_replay->RecordingTime(nowMs);
    }
    // Where the live part starts (seconds), and how far the recording was moved.
    std::optional<std::int64_t> LiveFrom() const { return m_liveFrom; }
    int ShiftedDays() const { return m_shiftDays; }

    // "HH:MM" or "HH:MM:SS" as seconds after midnight.
    static std::optional<int> ParseTimeOfDay(const std::string& text);

  private:
    ReplaySession() = default;
    std::unique_ptr<feed::FeedReplay> m_replay;
    std::optional<std::int64_t> m_liveFrom;
    int m_shiftDays = 0;
};

#pragma once
// Replays a recorded feed into a FeedTarget. Records without a due time come
// first, as history (live = false); from the first record with a due time on,
// records are live and each is pushed when its time has come.
//
// The replay neither sleeps nor owns a thread: its owner tells it the time.
// `Advance(now)` pushes whatever is due by `now`; `NextDueIn(now)` says how
// long the owner may wait before calling again. The Qt host drives it with a
// single-shot QTimer, tests with a clock they set.
//
// Times of the owner are milliseconds on any steady scale; times of the
// recording are the records' due times (seconds since 1970 UTC).
//
// The target hears that the feed is connected from the start until the last
// record, and the history is bracketed as one bulk load (BeginBulk, EndBulk),
// even when a budget spreads it over several calls. The target must outlive
// the replay.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string_view>

#include "FeedSource.h"
#include "FeedTarget.h"

namespace feed {

class ReplaySpeed {
  public:
    static ReplaySpeed RealTime() { return ReplaySpeed(1.0); }
    // The factors a replay takes: slower than a hundredth or faster than a
    // hundred thousand times would push waits out of range of the clock's
    // milliseconds (or make them all zero, which "max" says plainly).
    static constexpr double kMinFactor = 0.01;
    static constexpr double kMaxFactor = 100000.0;

    // n times faster than real time; nullopt unless n is from kMinFactor to
    // kMaxFactor.
    static std::optional<ReplaySpeed> Times(double factor);
    // Every live record is due at once; only the owner's budget paces them.
    static ReplaySpeed AsFastAsPossible() { return ReplaySpeed(0.0); }
    // "1", "1x", "60", "60x", "0.5x", or "max"; nullopt for anything else.
    static std::optional<ReplaySpeed> Parse(std::string_view text);

    bool IsAsFastAsPossible() const { return m_factor == 0.0; }
    double Factor() const { return m_factor; }

  private:
    explicit ReplaySpeed(double factor) : m_factor(factor) {}
    double m_factor;
};

struct ReplayOptions {
    ReplaySpeed speed = ReplaySpeed::RealTime();
    // The recording time (seconds) that the start of the live part stands
    // for. Default: the first live record's due time, so it comes at once.
    // Records due before it are due at once, in order (catching up).
    std::optional<std::int64_t> liveFrom;
    // Whole days added to every time and date of the recording (ShiftDays),
    // so a recorded day can be replayed as another day. liveFrom is on the
    // shifted scale.
    int shiftDays = 0;
};

struct ReplayProgress {
    std::size_t total = 0;    // records the source holds, malformed lines included
    std::size_t pushed = 0;   // records handed to the target
    std::size_t history = 0;  // of them, pushed as history
    std::size_t skipped = 0;  // malformed lines passed over
    bool historyDone = false;
    bool finished = false;
    // Share of the source dealt with, 0 to 1.
    double Fraction() const;
};

class FeedReplay {
  public:
    static constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

    FeedReplay(FeedTarget& target, std::unique_ptr<FeedSource> source, ReplayOptions options = {});
    // A replay stopped early still closes its bulk load and disconnects.
    ~FeedReplay();
    FeedReplay(const FeedReplay&) = delete;
    FeedReplay& operator=(const FeedReplay&) = delete;

    // Begins the replay at the owner's time `nowMs`. Advance starts it too.
    void Start(std::int64_t nowMs);
    // Pushes every record due by `nowMs`, at most `maxRecords` of them (a host
    // keeps its event loop responsive with a budget); returns how many.
    std::size_t Advance(std::int64_t nowMs, std::size_t maxRecords = kNoLimit);
    // Milliseconds until a record is due (0: call Advance now); nullopt when
    // the replay is finished, paused or not started.
    std::optional<std::int64_t> NextDueIn(std::int64_t nowMs) const;

    void Pause(std::int64_t nowMs);
    void Resume(std::int64_t nowMs);
    bool IsPaused() const { return m_pausedAt.has_value(); }
    // Changes the speed from `nowMs` on; what was already due stays due.
    void SetSpeed(ReplaySpeed speed, std::int64_t nowMs);
    ReplaySpeed Speed() const { return m_options.speed; }

    // The recording time (seconds) the live replay has reached by `nowMs`;
    // nullopt before the live part.
    std::optional<std::int64_t> RecordingTime(std::int64_t nowMs) const;
    ReplayProgress Progress() const;
    bool IsFinished() const { return m_started && !m_pending; }
    const FeedSource& Source() const { return *m_source; }

  private:
    void LoadNext(std::int64_t nowMs);
    void EndBulk();
    void Disconnect();
    void Anchor(std::int64_t nowMs, double recordingMs);
    double PositionMs(std::int64_t nowMs) const;
    std::int64_t DueAtMs() const;

    FeedTarget& m_target;
    std::unique_ptr<FeedSource> m_source;
    ReplayOptions m_options;
    bool m_started = false;
    std::optional<FeedRecord> m_pending;
    bool m_pendingLive = false;
    std::int64_t m_pendingDue = 0;  // recording seconds, never before the one pushed last
    bool m_live = false;            // the live part has begun (anchored)
    std::int64_t m_anchorNowMs = 0;
    double m_anchorRecordingMs = 0;
    std::optional<std::int64_t> m_pausedAt;
    bool m_inBulk = false;
    bool m_connected = false;
    std::size_t m_pushed = 0;
    std::size_t m_history = 0;
};

}  // namespace feed

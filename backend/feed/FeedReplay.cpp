#include "FeedReplay.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "FeedDispatch.h"

namespace feed {

std::optional<ReplaySpeed> ReplaySpeed::Times(double factor) {
    if (!std::isfinite(factor) || factor < kMinFactor || factor > kMaxFactor)
        return std::nullopt;
    return ReplaySpeed(factor);
}

std::optional<ReplaySpeed> ReplaySpeed::Parse(std::string_view text) {
    if (text == "max")
        return AsFastAsPossible();
    if (!text.empty() && (text.back() == 'x' || text.back() == 'X'))
        text.remove_suffix(1);
    double factor = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, factor);
    if (text.empty() || ec != std::errc() || ptr != end)
        return std::nullopt;
    return Times(factor);
}

double ReplayProgress::Fraction() const {
    if (total == 0)
        return finished ? 1.0 : 0.0;
    return std::min(1.0, static_cast<double>(pushed + skipped) / static_cast<double>(total));
}

FeedReplay::FeedReplay(FeedTarget& target, std::unique_ptr<FeedSource> source,
                       ReplayOptions options)
    : m_target(target), m_source(std::move(source)), m_options(options) {}

FeedReplay::~FeedReplay() {
    EndBulk();
    Disconnect();
}

void FeedReplay::Start(std::int64_t nowMs) {
    if (m_started)
        return;
    m_started = true;
    m_connected = true;
    m_target.SetConnected(true);
    LoadNext(nowMs);
    if (!m_pending)
        Disconnect();
}

void FeedReplay::EndBulk() {
    if (!m_inBulk)
        return;
    m_inBulk = false;
    m_target.EndBulk();
}

void FeedReplay::Disconnect() {
    if (!m_connected)
        return;
    m_connected = false;
    m_target.SetConnected(false);
}

void FeedReplay::Anchor(std::int64_t nowMs, double recordingMs) {
    m_anchorNowMs = nowMs;
    m_anchorRecordingMs = recordingMs;
}

void FeedReplay::LoadNext(std::int64_t nowMs) {
    const bool wasLive = m_pendingLive;
    const std::int64_t lastDue = m_pendingDue;
    m_pending = m_source->Next();
    if (!m_pending)
        return;
    ShiftDays(*m_pending, m_options.shiftDays);
    if (m_pending->due) {
        // Records go out in file order: one due before the record ahead of it
        // is due together with that record.
        m_pendingDue = wasLive ? std::max(*m_pending->due, lastDue) : *m_pending->due;
        m_pendingLive = true;
    } else if (wasLive) {
        m_pendingDue = lastDue;  // a live record without its own time comes with the one before
    }
    if (m_pendingLive && !m_live) {
        m_live = true;
        Anchor(nowMs, static_cast<double>(m_options.liveFrom.value_or(m_pendingDue)) * 1000.0);
    }
}

std::int64_t FeedReplay::DueAtMs() const {
    const double ahead = static_cast<double>(m_pendingDue) * 1000.0 - m_anchorRecordingMs;
    if (ahead <= 0)
        return m_anchorNowMs;
    // Rounded up: a record is never pushed before its time.
    return m_anchorNowMs + static_cast<std::int64_t>(std::ceil(ahead / m_options.speed.Factor()));
}

double FeedReplay::PositionMs(std::int64_t nowMs) const {
    if (m_options.speed.IsAsFastAsPossible())
        return m_anchorRecordingMs;
    return m_anchorRecordingMs +
           static_cast<double>(nowMs - m_anchorNowMs) * m_options.speed.Factor();
}

std::size_t FeedReplay::Advance(std::int64_t nowMs, std::size_t maxRecords) {
    Start(nowMs);
    if (m_pausedAt)
        return 0;
    std::size_t count = 0;
    while (count < maxRecords && m_pending) {
        if (m_pendingLive && !m_options.speed.IsAsFastAsPossible() && DueAtMs() > nowMs)
            break;
        if (!m_pendingLive && !m_inBulk) {
            m_inBulk = true;
            m_target.BeginBulk();
        }
        PushRecord(m_target, *m_pending, m_pendingLive);
        if (m_pendingLive && m_options.speed.IsAsFastAsPossible())
            m_anchorRecordingMs =
                std::max(m_anchorRecordingMs, static_cast<double>(m_pendingDue) * 1000.0);
        ++count;
        ++m_pushed;
        if (!m_pendingLive)
            ++m_history;
        LoadNext(nowMs);
        if (!m_pending || m_pendingLive)
            EndBulk();
    }
    if (!m_pending)
        Disconnect();
    return count;
}

std::optional<std::int64_t> FeedReplay::NextDueIn(std::int64_t nowMs) const {
    if (!m_started || !m_pending || m_pausedAt)
        return std::nullopt;
    if (!m_pendingLive || m_options.speed.IsAsFastAsPossible())
        return 0;
    return std::max<std::int64_t>(0, DueAtMs() - nowMs);
}

void FeedReplay::Pause(std::int64_t nowMs) {
    if (!m_pausedAt)
        m_pausedAt = nowMs;
}

void FeedReplay::Resume(std::int64_t nowMs) {
    if (!m_pausedAt)
        return;
    m_anchorNowMs += nowMs - *m_pausedAt;
    m_pausedAt.reset();
}

void FeedReplay::SetSpeed(ReplaySpeed speed, std::int64_t nowMs) {
    const std::int64_t at = m_pausedAt.value_or(nowMs);
    if (m_live)
        Anchor(at, PositionMs(at));
    m_options.speed = speed;
}

std::optional<std::int64_t> FeedReplay::RecordingTime(std::int64_t nowMs) const {
    if (!m_live)
        return std::nullopt;
    const double position = PositionMs(m_pausedAt.value_or(nowMs));
    return static_cast<std::int64_t>(std::floor(position / 1000.0));
}

ReplayProgress FeedReplay::Progress() const {
    ReplayProgress progress;
    progress.total = m_source->Total();
    progress.pushed = m_pushed;
    progress.history = m_history;
    progress.skipped = m_source->Skipped();
    progress.finished = IsFinished();
    progress.historyDone = m_live || progress.finished;
    return progress;
}

}  // namespace feed

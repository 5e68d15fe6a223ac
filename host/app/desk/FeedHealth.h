#pragma once
// How each news service's feed is doing, told from the headlines the desk
// receives: when its last headline came, its usual gap, whether it has gone
// silent for much longer than that in market hours, and which serials of
// the day never came.
//
// The rules, all on the desk's clock (the replay's, when it replays a day):
// - "today" is the local day of now. A service numbers its headlines 1, 2, …
//   per day, so a serial from 1 up to the highest received today that has
//   not been received is missing.
// - The usual gap is the median of the gaps between today's headlines taken
//   in time order (headlines of the same second make gaps of 0); there is
//   none before the second headline of the day.
// - A service is stale when now lies in market hours (09:00 to 13:30 local,
//   both included) and its silence — since its last headline of today, or
//   since 09:00 when none came today — exceeds max(5 × usual gap, 3 minutes).
//   Outside market hours no service is stale: silence there is normal. A
//   service the desk has not heard from at all yet (no headline, no list of
//   any day) is not judged: while the history loads, nothing is known.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "NewsRecords.h"

struct ServiceHealth {
    BYTE service = 0;
    std::optional<std::int64_t> lastTime;  // the newest headline received, any day
    std::optional<std::int64_t> usualGap;  // seconds; none before two headlines today
    std::int64_t staleAfter = 0;           // seconds of silence allowed now
    bool stale = false;
    std::uint64_t missingCount = 0;      // every missing serial of today
    std::vector<std::uint32_t> missing;  // the first kMaxListed of them, ascending
};

class FeedHealth {
  public:
    static constexpr int kMarketOpen = 9 * 3600;
    static constexpr int kMarketClose = 13 * 3600 + 30 * 60;
    static constexpr std::int64_t kGapFactor = 5;
    static constexpr std::int64_t kMinSilence = 3 * 60;
    // Missing serials listed (and recovered per request) at most: a feed that
    // jumps to a wild serial must not make a list of billions.
    static constexpr std::size_t kMaxListed = 200;

    // A headline received: live, sent again, or brought by a recovery.
    void Observe(const CHeadlineTable& key);
    // A list of the service's headlines (of any day) was received.
    void Heard(BYTE service);

    // One entry per service asked for, in that order; services never heard
    // from get an entry too (no time, not stale, nothing missing).
    std::vector<ServiceHealth> Report(const std::vector<BYTE>& services, std::int64_t now) const;
    ServiceHealth Health(BYTE service, std::int64_t now) const;

    // The keys to ask a recovery for: today's missing serials of the service
    // (at most kMaxListed), each with a time of today.
    std::vector<CHeadlineTable> MissingKeys(BYTE service, std::int64_t now) const;

  private:
    // What a day's headlines say, worked out when asked after a change: the
    // status bar asks every second, and a busy day holds a million. So the
    // day keeps its times and serials in the shapes the figures are read
    // from, and working them out costs a few hundred steps, not a pass over
    // the day, which would hold the window still for tens of milliseconds.
    struct Figures {
        std::optional<std::int64_t> usualGap;
        std::optional<std::int64_t> lastTime;
        std::uint64_t missingCount = 0;
        std::vector<std::uint32_t> missing;
    };
    class Day {
      public:
        // A serial received at `time` (again: its time moves).
        void Put(std::uint32_t serial, std::int64_t time);
        bool IsEmpty() const { return m_times.empty(); }
        std::int64_t AnyTime() const { return m_times.begin()->second; }
        const Figures& Worked() const;

      private:
        void addTime(std::int64_t time);
        void removeTime(std::int64_t time);
        void addGap(std::int64_t gap);
        void removeGap(std::int64_t gap);
        void addSerial(std::uint32_t serial);
        std::optional<std::int64_t> usualGap() const;

        std::map<std::uint32_t, std::int64_t> m_times;  // serial -> time
        // Headlines per distinct time: the gaps of the day in time order are
        // one 0 for each headline sharing a time with the one before, and the
        // differences of neighbouring distinct times, counted in m_gaps.
        std::map<std::int64_t, std::uint32_t> m_atTime;
        std::map<std::int64_t, std::uint64_t> m_gaps;
        // Runs of consecutive serials received from 1 up (first -> last): the
        // holes between them are the missing serials.
        std::map<std::uint32_t, std::uint32_t> m_runs;
        std::uint64_t m_counted = 0;  // serials from 1 up received
        mutable std::optional<Figures> m_figures;
    };
    struct Service {
        std::optional<std::int64_t> lastTime;
        std::map<int, Day> days;  // by YYYYMMDD; today and yesterday are kept
    };
    const Day* today(BYTE service, std::int64_t now) const;

    std::map<BYTE, Service> m_services;
};

// "health SERVICE NAME last=HH:MM:SS gap=Ns stale=yes|no missing=3,7" (an
// empty name as ""; last=none, gap=none; missing=none, or the listed serials
// and "+N more" for those not listed): what the automation prints.
std::string FormatHealthLine(const ServiceHealth& health, const std::string& shortName);

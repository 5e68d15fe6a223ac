#pragma once
// Crash trials of the news store: a child replays the recorded feed into a
// NewsBackend on a file store, as the terminal does, and acknowledges each
// headline and story once its write is committed (at once for live news, at
// the end of the bulk load for history). Each replay pass is shifted to days
// of its own, so every pass brings new headlines. After the kill the store
// must open, pass its integrity check, and hold every acknowledged headline
// with its fields.
#include <chrono>
#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>

#include "TrialTally.h"
#include "feed/FeedRecords.h"
#include "store/StoreRecords.h"

class NewsStore;

namespace crashtrial {

class NewsTrials {
  public:
    // `seriesLength` trials share one store file, then it is made anew (so
    // the first trial of a series also kills the child while it makes one).
    NewsTrials(std::string folder, std::vector<feed::FeedRecord> records, int seriesLength);
    // `afterFirstCommit`: the delay counts from the child's first committed
    // write (the history's, in a pass's first bulk load), so the kill falls in
    // the live part.
    void Run(std::chrono::microseconds delay, bool afterFirstCommit, TrialTally& tally);
    // The next trial makes the store anew: its kill should fall while the
    // store is made and opened, in the first few milliseconds.
    bool StartsSeries() const { return m_seriesTrials == 0 || m_seriesTrials >= m_seriesLength; }

  private:
    struct PassKey {
        int pass = 0;
        HeadlineId id;
        friend auto operator<=>(const PassKey&, const PassKey&) = default;
    };
    // The headline and story records of one identity in a pass, in feed order.
    using Versions = std::vector<std::size_t>;

    std::string storePath() const;
    void startSeries();
    const std::unordered_map<HeadlineId, Versions>& versionsOf(int pass);
    feed::FeedRecord shifted(std::size_t index, int pass) const;
    // Checks one identity with `acked` of its versions acknowledged.
    void check(NewsStore& store, const PassKey& key, std::size_t acked, std::int64_t trial,
               TrialTally& tally);

    std::string m_folder;
    std::vector<feed::FeedRecord> m_records;
    int m_seriesLength;
    int m_seriesTrials = 0;
    int m_nextPass = 0;
    std::map<PassKey, std::size_t> m_acked;  // of the series, cumulative
    std::map<int, std::unordered_map<HeadlineId, Versions>> m_versions;
};

}  // namespace crashtrial

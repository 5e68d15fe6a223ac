#pragma once
// What the trials found, printed at the end; any finding fails the run.
#include <cstdint>
#include <cstdio>
#include <string>

namespace crashtrial {

struct TrialTally {
    std::int64_t trials = 0;
    std::int64_t killed = 0;            // trials whose child was killed while working
    std::int64_t corruptions = 0;       // a store refused by its normal open, or failing its check
    std::int64_t tornValues = 0;        // a setting that is neither its old nor its new value
    std::int64_t lostValues = 0;        // a setting missing or older than the last acknowledged
    std::int64_t lostHeadlines = 0;     // an acknowledged headline missing
    std::int64_t alteredHeadlines = 0;  // an acknowledged headline with other fields
    std::int64_t savesAcknowledged = 0;
    std::int64_t headlinesAcknowledged = 0;
    std::int64_t newsTrialsWithAcks = 0;  // killed after a first commit (the history's, mostly)

    std::int64_t Findings() const {
        return corruptions + tornValues + lostValues + lostHeadlines + alteredHeadlines;
    }
    // Tells one finding on stderr (the first few of each run; the counts say the rest).
    void Report(std::int64_t trial, const std::string& what) {
        if (++m_told <= 20)
            std::fprintf(stderr, "crashtrial: trial %lld: %s\n", static_cast<long long>(trial),
                         what.c_str());
    }

  private:
    std::int64_t m_told = 0;
};

}  // namespace crashtrial

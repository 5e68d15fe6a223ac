#pragma once
// Crash trials of the configuration store: a child saves a known set of
// settings (every scope and type a view uses) from one generation to the
// next, over and over; after the kill each value must be the last one whose
// save was acknowledged or the one being saved after it — never torn, never
// missing, never older.
#include <chrono>
#include <random>
#include <string>
#include <vector>

#include "TrialTally.h"

namespace crashtrial {

class SettingsTrials {
  public:
    // The store lives in `folder` for the whole run.
    explicit SettingsTrials(std::string folder);
    // Makes the store with generation 0 of every value; false when it cannot.
    bool Prepare(std::string& error);
    void Run(std::chrono::microseconds delay, TrialTally& tally);

  private:
    std::string m_folder;
    std::vector<long> m_stored;  // generation of each value found after the last trial
};

}  // namespace crashtrial

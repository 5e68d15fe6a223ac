// A process killed in the middle of saving never leaves a half-written value:
// the store opens afterwards with the old value or the new one.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "SKQCfgIO2.h"
#include "TempDir.h"

namespace {

const CString kClass = "SKQNewsCtrlView";
constexpr int kItems = 300;

// Every item of generation g says g, and the list has kItems items, so a mixture
// of two saves or a cut-off save is visible.
std::vector<CString> generation(int g) {
    std::vector<CString> list;
    for (int i = 0; i < kItems; ++i)
        list.push_back(CString::Formatted("gen %d item %d 新聞條件", g, i));
    return list;
}

int generationOf(const std::vector<CString>& list) {
    if (list.size() != kItems)
        return -1;
    int g = -1;
    if (std::sscanf(list[0].c_str(), "gen %d", &g) != 1)
        return -1;
    return list == generation(g) ? g : -1;
}

[[noreturn]] void saveForever(const std::string& folder, int firstGeneration) {
    SKQCfgIO2 store(CString(folder), "Layout");
    for (int g = firstGeneration;; ++g) {
        store.SaveViewInfo("v", 0, 0, kClass, "SearchItems", generation(g));
        store.SaveViewInfo("v", 0, 0, kClass, "Generation", CString::Formatted("%d", g));
    }
}

TEST(CfgStoreCrash, KilledWritersLeaveOldOrNewValuesOnly) {
    TempDir dir;
    {
        SKQCfgIO2 store(CString(dir.str()), "Layout");
        ASSERT_TRUE(store.SaveViewInfo("v", 0, 0, kClass, "SearchItems", generation(0)));
    }
    std::mt19937 random(12345);
    int lastSeen = 0;
    int lastGeneration = -1;  // none saved yet
    for (int round = 0; round < 12; ++round) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            saveForever(dir.str(), lastSeen + 1);
        std::this_thread::sleep_for(std::chrono::milliseconds(20 + random() % 80));
        ASSERT_EQ(kill(child, SIGKILL), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the writer should have been killed while saving";

        SKQCfgIO2 store(CString(dir.str()), "Layout");
        ASSERT_TRUE(store.IsOpen()) << "round " << round << ": " << store.GetError();
        std::vector<CString> list;
        ASSERT_TRUE(store.GetViewInfo("v", 0, 0, kClass, "SearchItems", list));
        const int g = generationOf(list);
        ASSERT_GE(g, lastSeen) << "round " << round << ": the list is torn or went back in time";
        // The two values are saved one after the other: "Generation" is the
        // list's generation or the one before it, or, when the writer was
        // killed before its first "Generation" save, still the last round's.
        CString text;
        int saved = -1;
        if (store.GetViewInfo("v", 0, 0, kClass, "Generation", text))
            saved = std::atoi(text.c_str());
        const bool firstListOfTheRound = g <= lastSeen + 1;
        EXPECT_TRUE(saved == g || saved == g - 1 ||
                    (firstListOfTheRound && saved == lastGeneration))
            << "round " << round << ": " << saved << " vs " << g << " (last round "
            << lastGeneration << " vs " << lastSeen << ")";
        lastSeen = g;
        lastGeneration = saved;
    }
    EXPECT_GT(lastSeen, 0) << "the writers never got a save through";
}

}  // namespace

#include "SettingsTrial.h"

#include <cstdio>
#include <filesystem>

#include "KillTrial.h"
#include "SKQCfgIO2.h"
#include "StoreCheck.h"

namespace crashtrial {

namespace {

const CString kStoreName = "Layout";
const CString kView = "NewsView";
const CString kClass = "SKQNewsCtrlView";
constexpr std::int64_t kSaved = 1;

// The settings the child saves: every scope and type a view saves, lists and
// text long enough to span several database pages.
enum class Kind { Int, Bool, Text, List, CommonInt, CommonList, DefaultList };
struct Setting {
    const char* name;
    Kind kind;
    int items;  // list items, or text repetitions
};
constexpr Setting kSettings[] = {
    {"RowCount", Kind::Int, 0},          {"ShowTitleBar", Kind::Bool, 0},
    {"Keyword", Kind::Text, 400},        {"SearchItems", Kind::List, 300},
    {"Columns", Kind::CommonInt, 0},     {"Services", Kind::CommonList, 60},
    {"Factory", Kind::DefaultList, 120},
};
constexpr int kSettingCount = static_cast<int>(std::size(kSettings));

int intOf(int key, long generation) {
    return static_cast<int>(generation * 16 + key);
}

CString textOf(int key, long generation) {
    CString text = CString::Formatted("gen %ld key %d ", generation, key);
    for (int i = 0; i < kSettings[key].items; ++i)
        text += "新聞標題";
    return text;
}

std::vector<CString> listOf(int key, long generation) {
    std::vector<CString> list;
    for (int i = 0; i < kSettings[key].items; ++i)
        list.push_back(CString::Formatted("gen %ld key %d item %d 條件", generation, key, i));
    return list;
}

bool save(const SKQCfgIO2& store, int key, long generation) {
    const Setting& s = kSettings[key];
    switch (s.kind) {
        case Kind::Int:
            return store.SaveViewInfo(kView, 1, 2, kClass, s.name, intOf(key, generation));
        case Kind::Bool:
            return store.SaveViewInfo(kView, 1, 2, kClass, s.name, generation % 2 == 1);
        case Kind::Text:
            return store.SaveViewInfo(kView, 1, 2, kClass, s.name, textOf(key, generation));
        case Kind::List:
            return store.SaveViewInfo(kView, 1, 2, kClass, s.name, listOf(key, generation));
        case Kind::CommonInt:
            return store.SaveViewCommonInfo(kView, 1, s.name, intOf(key, generation));
        case Kind::CommonList:
            return store.SaveViewCommonInfo(kView, 1, s.name, listOf(key, generation));
        case Kind::DefaultList:
            return store.SaveViewDefaultInfo(kClass, s.name, listOf(key, generation));
    }
    return false;
}

long generationIn(const CString& first) {
    long generation = -1;
    if (std::sscanf(first.c_str(), "gen %ld", &generation) != 1)
        return -1;
    return generation;
}

// What a read found: missing, torn (no generation's value), or a generation.
// A bool tells only the generation's parity: it is taken as the new
// generation or the old one when it has that one's parity.
struct Found {
    bool present = false;
    long generation = -1;  // -1: torn
};

Found read(const SKQCfgIO2& store, int key, long old, long newer) {
    const Setting& s = kSettings[key];
    Found found;
    switch (s.kind) {
        case Kind::Int:
        case Kind::CommonInt: {
            int value = 0;
            found.present = s.kind == Kind::Int
                                ? store.GetViewInfo(kView, 1, 2, kClass, s.name, value)
                                : store.GetViewCommonInfo(kView, 1, s.name, value);
            if (found.present && value % 16 == key)
                found.generation = value / 16;
            return found;
        }
        case Kind::Bool: {
            bool value = false;
            found.present = store.GetViewInfo(kView, 1, 2, kClass, s.name, value);
            if (found.present)
                found.generation = (newer % 2 == 1) == value ? newer
                                   : (old % 2 == 1) == value ? old
                                                             : old - 1;
            return found;
        }
        case Kind::Text: {
            CString value;
            found.present = store.GetViewInfo(kView, 1, 2, kClass, s.name, value);
            const long g = generationIn(value);
            if (found.present && g >= 0 && value == textOf(key, g))
                found.generation = g;
            return found;
        }
        case Kind::List:
        case Kind::CommonList:
        case Kind::DefaultList: {
            std::vector<CString> value;
            if (s.kind == Kind::List)
                found.present = store.GetViewInfo(kView, 1, 2, kClass, s.name, value);
            else if (s.kind == Kind::CommonList)
                found.present = store.GetViewCommonInfo(kView, 1, s.name, value);
            else
                found.present = store.GetViewDefaultInfo(kClass, s.name, value);
            const long g = value.empty() ? -1 : generationIn(value.front());
            if (found.present && g >= 0 && value == listOf(key, g))
                found.generation = g;
            return found;
        }
    }
    return found;
}

[[noreturn]] void saveForever(const std::string& folder, long firstGeneration,
                              const AckWriter& acks) {
    SKQCfgIO2 store(CString(folder), kStoreName);
    for (long g = firstGeneration;; ++g) {
        for (int key = 0; key < kSettingCount; ++key) {
            if (save(store, key, g))
                acks.Send(Ack{kSaved, key, g, 0});
        }
    }
}

}  // namespace

SettingsTrials::SettingsTrials(std::string folder) : m_folder(std::move(folder)) {}

bool SettingsTrials::Prepare(std::string& error) {
    std::filesystem::create_directories(m_folder);
    SKQCfgIO2 store(CString(m_folder), kStoreName);
    for (int key = 0; key < kSettingCount; ++key) {
        if (!save(store, key, 0)) {
            error = "the settings store cannot be made: " + store.GetError();
            return false;
        }
    }
    m_stored.assign(kSettingCount, 0);
    return true;
}

void SettingsTrials::Run(std::chrono::microseconds delay, TrialTally& tally) {
    const std::int64_t trial = tally.trials;
    long next = 0;
    for (const long g : m_stored)
        next = std::max(next, g + 1);
    const KillOutcome outcome =
        RunAndKill([&](const AckWriter& acks) { saveForever(m_folder, next, acks); }, delay);
    if (outcome.killed)
        ++tally.killed;

    // Old: the last acknowledged value, or what was there before; new: the
    // value the child would save after it.
    std::vector<long> old = m_stored;
    std::vector<bool> acked(kSettingCount, false);
    for (const Ack& ack : outcome.acks) {
        if (ack.kind != kSaved || ack.a < 0 || ack.a >= kSettingCount)
            continue;
        old[ack.a] = ack.b;
        acked[ack.a] = true;
        ++tally.savesAcknowledged;
    }

    SKQCfgIO2 store(CString(m_folder), kStoreName);
    if (!store.IsOpen() || store.IsReadOnly()) {
        ++tally.corruptions;
        tally.Report(trial, "the settings store was refused: " + store.GetError());
        return;
    }
    for (int key = 0; key < kSettingCount; ++key) {
        const long newer = acked[key] ? old[key] + 1 : next;
        const Found found = read(store, key, old[key], newer);
        const std::string name = kSettings[key].name;
        if (!found.present) {
            ++tally.lostValues;
            tally.Report(trial, "setting " + name + " is missing");
        } else if (found.generation < 0) {
            ++tally.tornValues;
            tally.Report(trial, "setting " + name + " is torn");
        } else if (found.generation != old[key] && found.generation != newer) {
            ++tally.lostValues;
            tally.Report(trial, "setting " + name + " holds generation " +
                                    std::to_string(found.generation) + ", not " +
                                    std::to_string(old[key]) + " or " + std::to_string(newer));
        } else {
            m_stored[key] = found.generation;
        }
    }
    if (const auto problem = IntegrityProblem(store.GetPath())) {
        ++tally.corruptions;
        tally.Report(trial, "the settings store fails its integrity check: " + *problem);
    }
}

}  // namespace crashtrial

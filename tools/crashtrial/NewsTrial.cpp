#include "NewsTrial.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>

#include "KillTrial.h"
#include "NewsBackend.h"
#include "StoreCheck.h"
#include "feed/FeedReplay.h"
#include "store/NewsStore.h"

namespace crashtrial {

namespace {

constexpr std::int64_t kPassStarted = 1;
constexpr std::int64_t kCommitted = 2;
// Passes lie this many days apart, past the sample's own days.
constexpr int kPassDays = 16;
// Writes acknowledged together outside a bulk load.
constexpr std::size_t kAckEvery = 16;

// Forwards everything to the back-end and acknowledges headlines and stories
// once the back-end has applied them: its feed calls only post the writes to
// its worker, so acknowledgements wait for WaitIdle(), every few writes
// outside a bulk load and when the bulk load they came in has ended
// (committed).
class AcknowledgingTarget final : public FeedTarget {
  public:
    AcknowledgingTarget(NewsBackend& backend, const AckWriter& acks, int pass)
        : m_backend(backend), m_acks(acks), m_pass(pass) {}

    void AddService(BYTE service, const CString& fullName, const CString& shortName,
                    std::int32_t newsDate) override {
        m_backend.AddService(service, fullName, shortName, newsDate);
    }
    void AddCategory(BYTE service, const CString& id, const CString& name) override {
        m_backend.AddCategory(service, id, name);
    }
    void AddMarket(BYTE market, const CString& fullName) override {
        m_backend.AddMarket(market, fullName);
    }
    void SetMarketExName(BYTE market, const CString& exName) override {
        m_backend.SetMarketExName(market, exName);
    }
    void AddSection(BYTE market, const CString& id, const CString& name) override {
        m_backend.AddSection(market, id, name);
    }
    void AddCommodity(BYTE market, const CString& id, const CString& name) override {
        m_backend.AddCommodity(market, id, name);
    }
    void AddExchange(BYTE market, const CString& id, const CString& fullName,
                     const CString& localName) override {
        m_backend.AddExchange(market, id, fullName, localName);
    }
    void AddSymbol(const FeedSymbol& symbol) override { m_backend.AddSymbol(symbol); }
    void AddHeadline(const FeedHeadline& item, bool live) override {
        m_backend.AddHeadline(item, live);
        acknowledge(item.headline.Key());
    }
    void AddStory(const CStory& story, bool live) override {
        m_backend.AddStory(story, live);
        acknowledge(CHeadlineTable{story.byService, story.tTime,
                                   static_cast<std::int32_t>(story.dwSerial)});
    }
    void ChangeNewsDay(BYTE service, std::int32_t date, bool live) override {
        m_backend.ChangeNewsDay(service, date, live);
    }
    void SetConnected(bool connected) override { m_backend.SetConnected(connected); }
    void BeginBulk() override {
        m_backend.BeginBulk();
        m_bulk = true;
    }
    void EndBulk() override {
        m_backend.EndBulk();
        m_bulk = false;
        flush();
    }

  private:
    void acknowledge(const CHeadlineTable& key) {
        m_pending.push_back(HeadlineId::Of(key));
        if (!m_bulk && m_pending.size() >= kAckEvery)
            flush();
    }
    void flush() {
        m_backend.WaitIdle();
        for (const HeadlineId& id : m_pending)
            send(id);
        m_pending.clear();
    }
    void send(const HeadlineId& id) {
        m_acks.Send(Ack{kCommitted, m_pass, id.service, (std::int64_t{id.day} << 32) | id.serial});
    }

    NewsBackend& m_backend;
    const AckWriter& m_acks;
    int m_pass;
    bool m_bulk = false;
    std::vector<HeadlineId> m_pending;
};

[[noreturn]] void replayForever(const std::string& path,
                                const std::vector<feed::FeedRecord>& records, int firstPass,
                                const AckWriter& acks) {
    NewsBackend backend;
    if (!backend.Open(path))
        _exit(4);
    for (int pass = firstPass;; ++pass) {
        acks.Send(Ack{kPassStarted, pass, 0, 0});
        AcknowledgingTarget target(backend, acks, pass);
        feed::ReplayOptions options;
        options.speed = feed::ReplaySpeed::AsFastAsPossible();
        options.shiftDays = pass * kPassDays;
        feed::FeedReplay replay(target, std::make_unique<feed::MemoryFeedSource>(records), options);
        replay.Start(0);
        while (!replay.IsFinished())
            replay.Advance(0);
    }
}

std::optional<HeadlineId> idOf(const feed::FeedRecord& record) {
    if (const auto* h = std::get_if<feed::HeadlineRecord>(&record.payload))
        return HeadlineId::Of(
            CHeadlineTable{h->service, h->time, static_cast<std::int32_t>(h->serial)});
    if (const auto* s = std::get_if<feed::StoryRecord>(&record.payload))
        return HeadlineId::Of(
            CHeadlineTable{s->service, s->time, static_cast<std::int32_t>(s->serial)});
    return std::nullopt;
}

std::optional<CString> storyOf(const feed::FeedRecord& record) {
    if (const auto* h = std::get_if<feed::HeadlineRecord>(&record.payload))
        return h->story.IsEmpty() ? std::nullopt : std::optional<CString>(h->story);
    if (const auto* s = std::get_if<feed::StoryRecord>(&record.payload))
        return s->story;
    return std::nullopt;
}

std::vector<CString> sortedUnique(std::vector<CString> ids) {
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    return ids;
}

bool sameHeadline(const StoredHeadline& stored, const std::vector<CString>& storedSymbols,
                  const feed::HeadlineRecord& record) {
    const CHeadline& h = stored.record;
    return h.byService == record.service && h.tTime == record.time && h.dwSerial == record.serial &&
           h.strTitle == record.title && h.byDeleted == record.deleted &&
           stored.categoryId == CanonicalCategoryId(record.categoryId) &&
           sortedUnique(storedSymbols) == sortedUnique(record.symbols);
}

}  // namespace

NewsTrials::NewsTrials(std::string folder, std::vector<feed::FeedRecord> records, int seriesLength)
    : m_folder(std::move(folder)), m_records(std::move(records)), m_seriesLength(seriesLength) {}

std::string NewsTrials::storePath() const {
    return m_folder + "/news.kqnews";
}

void NewsTrials::startSeries() {
    std::error_code ec;
    std::filesystem::create_directories(m_folder, ec);
    for (const char* suffix : {"", "-wal", "-shm"})
        std::filesystem::remove(storePath() + suffix, ec);
    m_seriesTrials = 0;
    m_nextPass = 0;
    m_acked.clear();
    m_versions.clear();
}

feed::FeedRecord NewsTrials::shifted(std::size_t index, int pass) const {
    feed::FeedRecord record = m_records[index];
    feed::ShiftDays(record, pass * kPassDays);
    return record;
}

const std::unordered_map<HeadlineId, NewsTrials::Versions>& NewsTrials::versionsOf(int pass) {
    auto found = m_versions.find(pass);
    if (found != m_versions.end())
        return found->second;
    std::unordered_map<HeadlineId, Versions>& versions = m_versions[pass];
    for (std::size_t i = 0; i < m_records.size(); ++i) {
        if (!std::holds_alternative<feed::HeadlineRecord>(m_records[i].payload) &&
            !std::holds_alternative<feed::StoryRecord>(m_records[i].payload))
            continue;
        if (const std::optional<HeadlineId> id = idOf(shifted(i, pass)))
            versions[*id].push_back(i);
    }
    return versions;
}

void NewsTrials::check(NewsStore& store, const PassKey& key, std::size_t acked, std::int64_t trial,
                       TrialTally& tally) {
    const auto& versions = versionsOf(key.pass);
    const auto found = versions.find(key.id);
    const std::string name = "headline " + std::to_string(key.id.service) + "/" +
                             std::to_string(key.id.day) + "/" + std::to_string(key.id.serial) +
                             " (pass " + std::to_string(key.pass) + ")";
    if (found == versions.end() || acked == 0 || acked > found->second.size()) {
        ++tally.alteredHeadlines;
        tally.Report(trial, name + " was acknowledged but is not in the feed");
        return;
    }
    const std::optional<StoredHeadline> stored = store.Headline(key.id);
    if (!stored) {
        ++tally.lostHeadlines;
        tally.Report(trial, name + " is missing");
        return;
    }
    // The stored fields are those of the last acknowledged version or of a
    // later one (committed, not yet acknowledged when the child died).
    const Versions& all = found->second;
    std::size_t lastHeadline = 0;
    std::optional<std::size_t> lastStory;
    for (std::size_t v = 0; v < acked; ++v) {
        const feed::FeedRecord record = shifted(all[v], key.pass);
        if (std::holds_alternative<feed::HeadlineRecord>(record.payload))
            lastHeadline = v;
        if (storyOf(record))
            lastStory = v;
    }
    const std::vector<CString> symbols = store.HeadlineSymbols(key.id);
    bool fieldsMatch = false;
    std::set<std::string> stories;
    for (std::size_t v = 0; v < all.size(); ++v) {
        const feed::FeedRecord record = shifted(all[v], key.pass);
        const auto* h = std::get_if<feed::HeadlineRecord>(&record.payload);
        if (h && v >= lastHeadline && sameHeadline(*stored, symbols, *h))
            fieldsMatch = true;
        if (const std::optional<CString> story = storyOf(record);
            story && (!lastStory || v >= *lastStory))
            stories.insert(story->str());
    }
    const std::optional<StoredStory> story = store.Story(key.id);
    const bool storyMatches =
        story && (story->hasStory ? stories.count(story->text.str()) > 0 : !lastStory);
    if (!fieldsMatch || !storyMatches) {
        ++tally.alteredHeadlines;
        tally.Report(trial, name + (fieldsMatch ? " has another story" : " has other fields"));
    }
}

void NewsTrials::Run(std::chrono::microseconds delay, bool afterFirstCommit, TrialTally& tally) {
    const std::int64_t trial = tally.trials;
    if (StartsSeries())
        startSeries();
    ++m_seriesTrials;
    const int firstPass = m_nextPass;
    const KillOutcome outcome = RunAndKill(
        [&](const AckWriter& acks) { replayForever(storePath(), m_records, firstPass, acks); },
        delay, afterFirstCommit ? std::optional<std::int64_t>(kCommitted) : std::nullopt);
    if (outcome.killed)
        ++tally.killed;
    else if (outcome.exitStatus == 4) {
        ++tally.corruptions;
        tally.Report(trial, "the child could not open the news store");
    }

    std::map<PassKey, std::size_t> now;
    for (const Ack& ack : outcome.acks) {
        if (ack.kind == kPassStarted) {
            m_nextPass = std::max(m_nextPass, static_cast<int>(ack.a) + 1);
        } else if (ack.kind == kCommitted) {
            const PassKey key{
                static_cast<int>(ack.a),
                HeadlineId{static_cast<BYTE>(ack.b), static_cast<std::int32_t>(ack.c >> 32),
                           static_cast<std::int32_t>(ack.c & 0xffffffff)}};
            ++m_acked[key];
            now[key] = m_acked[key];
            ++tally.headlinesAcknowledged;
        }
    }

    if (!now.empty())
        ++tally.newsTrialsWithAcks;

    NewsStore store;
    if (!store.Open(storePath(), NewsStore::OpenOptions{})) {
        ++tally.corruptions;
        tally.Report(trial, "the news store was refused: " + store.Error());
        m_seriesTrials = 0;  // start a new store: this one proves nothing more
        return;
    }
    if (const auto problem = IntegrityProblem(store.Database())) {
        ++tally.corruptions;
        tally.Report(trial, "the news store fails its integrity check: " + *problem);
    }
    // This trial's acknowledgements every time; the whole series' at its end,
    // so a later trial cannot have lost what an earlier one wrote.
    const bool seriesEnds = m_seriesTrials >= m_seriesLength;
    for (const auto& [key, acked] : seriesEnds ? m_acked : now)
        check(store, key, acked, trial, tally);
    // Passes are not shared between trials: a pass cut short may have
    // committed more than it acknowledged.
    if (firstPass == m_nextPass)
        m_nextPass = firstPass + 1;
}

}  // namespace crashtrial

// "replay FILE [shift=DAYS]": a recorded feed file pushed into the back-end
// as the terminal's replay pushes it, at full speed: the history as one bulk
// load, the live part as live news (its events queued, delivered by
// `dispatch` or `advance`). A shift moves every time and date of the
// recording by whole days, so one recording replayed with other shifts
// brings new headlines each time (long runs, soaks).
#include <filesystem>
#include <ostream>

#include "Commands.h"
#include "ScriptValues.h"
#include "Session.h"
#include "feed/FeedReplay.h"
#include "feed/FeedSource.h"

namespace automation {

namespace {

// Relative names are in the resource folder, where the shipped example is.
std::string feedPath(const Session& session, const std::string& name) {
    const std::filesystem::path path(name);
    if (path.is_absolute())
        return name;
    return (std::filesystem::path(session.Options().resourceDir) / path).string();
}

void replayCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const std::string name = a.At(0, "a feed file");
    int shift = 0;
    if (const std::optional<std::string> days = a.Option("shift"))
        shift = static_cast<int>(ParseNumber(*days, -36500, 36500, "shift (days)"));
    a.Finish();

    CString error;
    std::unique_ptr<feed::FeedFileSource> file =
        feed::FeedFileSource::Open({feedPath(call.session, name)}, &error);
    if (!file)
        throw ScriptError("cannot replay " + name + ": " + error.str());
    std::vector<feed::FeedRecord> records;
    std::size_t headlines = 0;
    while (std::optional<feed::FeedRecord> record = file->Next()) {
        if (std::holds_alternative<feed::HeadlineRecord>(record->payload))
            ++headlines;
        records.push_back(std::move(*record));
    }
    if (!file->Issues().empty()) {
        const feed::FeedIssue& first = file->Issues().front();
        throw ScriptError("cannot replay " + name + ": line " + std::to_string(first.line) + ": " +
                          first.reason.str() + " (" + std::to_string(file->Issues().size()) +
                          " issues)");
    }

    feed::ReplayOptions options;
    options.speed = feed::ReplaySpeed::AsFastAsPossible();
    options.shiftDays = shift;
    feed::FeedReplay replay(call.session.Backend(),
                            std::make_unique<feed::MemoryFeedSource>(std::move(records)), options);
    replay.Start(0);
    while (!replay.IsFinished())
        replay.Advance(0);
    const feed::ReplayProgress progress = replay.Progress();
    call.session.Out() << "replay " << name << ": " << progress.pushed << " records, " << headlines
                       << " headlines, " << progress.pushed - progress.history << " live, shifted "
                       << shift << " days\n";
}

}  // namespace

void AddReplayCommands(CommandTable& table) {
    table.Add("replay", replayCommand);
}

}  // namespace automation

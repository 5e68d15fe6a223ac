#include "RecordCommands.h"

#include <cstdint>
#include <limits>
#include <optional>

#include "ScriptValues.h"
#include "feed/FeedFields.h"

namespace automation {

namespace {

using feed::CommandArg;
using feed::Meaning;

// A field's value from the text a script wrote; `what` names it in errors.
void Convert(const std::string& text, BYTE& value, Meaning meaning, const char* what,
             std::int64_t) {
    if (meaning == Meaning::kFlag)
        value = static_cast<BYTE>(ParseNumber(text, 0, 255, what));
    else
        value = ParseByte(text, what);
}

void Convert(const std::string& text, std::int32_t& value, Meaning meaning, const char* what,
             std::int64_t now) {
    switch (meaning) {
        case Meaning::kTime: {
            // Records keep 32-bit times: a moment past them is refused, not wrapped.
            const std::int64_t seconds = ParseTime(text, now, what);
            if (seconds < std::numeric_limits<std::int32_t>::min() ||
                seconds > std::numeric_limits<std::int32_t>::max())
                throw ScriptError(std::string(what) + " '" + text +
                                  "': expected a moment from 1901 to 2038");
            value = static_cast<std::int32_t>(seconds);
            return;
        }
        case Meaning::kDateOrNone:
            if (text == "0") {
                value = 0;
                return;
            }
            [[fallthrough]];
        case Meaning::kDate:
            value = ParseDate(text, what);
            return;
        default:
            value = ParseInt(text, what);
    }
}

void Convert(const std::string& text, std::uint32_t& value, Meaning, const char* what,
             std::int64_t) {
    value = static_cast<std::uint32_t>(
        ParseNumber(text, 0, std::numeric_limits<std::uint32_t>::max(), what));
}

void Convert(const std::string& text, CString& value, Meaning, const char*, std::int64_t) {
    value = CString(text);
}

void Convert(const std::string& text, std::vector<CString>& value, Meaning, const char*,
             std::int64_t) {
    value = ParseList(text);
}

template <class Record>
constexpr int kPositions = [] {
    int count = 0;
    feed::ForEachField<Record>(
        [&](const auto& field) { count += field.arg.form != CommandArg::Form::kOption; });
    return count;
}();

// The positional words first, in their order, then the options in the
// order of the list: the first wrong word is the one reported.
template <class Record>
RecordWords Read(Args& args, std::int64_t now) {
    using Form = CommandArg::Form;
    RecordWords words;
    words.live = feed::RecordFields<Record>::kLive && args.Flag("live");
    Record record;
    for (int position = 0; position < kPositions<Record>; ++position) {
        feed::ForEachField<Record>([&](const auto& field) {
            if (field.arg.form == Form::kOption || field.arg.position != position)
                return;
            const auto index = static_cast<std::size_t>(position);
            const std::optional<std::string> text = field.arg.form == Form::kPositional
                                                        ? args.At(index, field.arg.text)
                                                        : args.Optional(index);
            if (text)
                Convert(*text, record.*field.member, field.meaning, field.label, now);
        });
    }
    feed::ForEachField<Record>([&](const auto& field) {
        if (field.arg.form != Form::kOption)
            return;
        if (const auto text = args.Option(field.arg.text))
            Convert(*text, record.*field.member, field.meaning, field.arg.text, now);
    });
    args.Finish();
    words.payload = std::move(record);
    return words;
}

}  // namespace

RecordWords ReadRecordCommand(Args& args, std::int64_t now) {
    std::optional<RecordWords> words;
    feed::ForEachKind([&](auto kind) {
        using Record = typename decltype(kind)::type;
        if (!words && args.Command() == feed::RecordFields<Record>::kKind)
            words = Read<Record>(args, now);
    });
    if (!words)
        throw ScriptError("'" + args.Command() + "' is not a kind of feed record");
    return std::move(*words);
}

}  // namespace automation

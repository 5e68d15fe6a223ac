// Compile-time checks of the field lists in FeedFields.h: each list names
// every member of its record once, and the automation can take every field.
#include "FeedFields.h"

#include <string_view>

namespace feed {
namespace {

// Converts to anything: a record that can be brace-initialised from N of
// these has at least N members.
struct AnyValue {
    template <class T>
    operator T() const;  // NOLINT: implicit by design; never defined, only in unevaluated checks
};

template <class Record, class... Values>
consteval std::size_t MemberCount() {
    if constexpr (requires { Record{Values{}..., AnyValue{}}; })
        return MemberCount<Record, Values..., AnyValue>();
    else
        return sizeof...(Values);
}

template <class Record>
consteval bool EachMemberOnce() {
    bool unique = true;
    ForEachField<Record>([&](const auto& a) {
        int same = 0;
        ForEachField<Record>([&](const auto& b) {
            if constexpr (std::is_same_v<decltype(a.member), decltype(b.member)>)
                same += a.member == b.member ? 1 : 0;
        });
        unique = unique && same == 1;
    });
    return unique;
}

// Positions 0, 1, ... each taken by one field, the required ones first;
// option names unique and none of them `live`; every required positional
// says what its absence calls for.
template <class Record>
consteval bool CommandTakesEveryField() {
    using Form = CommandArg::Form;
    constexpr int kNone = -1;
    int positions = 0;
    int firstOptional = kNone;
    ForEachField<Record>([&](const auto& field) {
        if (field.arg.form != Form::kOption)
            ++positions;
    });
    bool sound = true;
    for (int position = 0; position < positions; ++position) {
        int takers = 0;
        ForEachField<Record>([&](const auto& field) {
            if (field.arg.form == Form::kOption || field.arg.position != position)
                return;
            ++takers;
            if (field.arg.form == Form::kOptionalPositional && firstOptional == kNone)
                firstOptional = position;
            if (field.arg.form == Form::kPositional)
                sound = sound && field.arg.text && (firstOptional == kNone);
        });
        sound = sound && takers == 1;
    }
    ForEachField<Record>([&](const auto& a) {
        if (a.arg.form != Form::kOption)
            return;
        if (!a.arg.text) {
            sound = false;
            return;
        }
        int named = 0;
        ForEachField<Record>([&](const auto& b) {
            if (b.arg.form == Form::kOption && b.arg.text &&
                std::string_view(a.arg.text) == b.arg.text)
                ++named;
        });
        sound = sound && named == 1 && std::string_view(a.arg.text) != "live";
    });
    return sound;
}

constexpr bool kChecked = [] {
    ForEachKind([](auto kind) {
        using Record = typename decltype(kind)::type;
        static_assert(MemberCount<Record>() == kFieldCount<Record>,
                      "the field list misses a member of its record");
        static_assert(EachMemberOnce<Record>(), "a field list names a member twice");
        static_assert(CommandTakesEveryField<Record>(),
                      "the command arguments of a field list are not sound");
    });
    return true;
}();
static_assert(kChecked);

}  // namespace
}  // namespace feed

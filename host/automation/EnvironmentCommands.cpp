// The world around the views: the clock, the time zone, the system folder
// and its INI files, the configuration store, the language and the colours.
#include <algorithm>
#include <filesystem>

#include "Commands.h"
#include "IniEditor.h"
#include "ScriptValues.h"
#include "Session.h"
#include "app/desk/DeskEnvironment.h"

namespace automation {

namespace {

void clockCommand(Call& call) {
    NoBlock(call);
    const std::int64_t now = ParseTime(call.args.Rest(0, "the time"), call.session.Now(), "time");
    call.args.Finish();
    call.session.SetClock(now);
}

void tzCommand(Call& call) {
    NoBlock(call);
    const std::string zone = call.args.At(0, "a time zone such as Asia/Taipei");
    call.args.Finish();
    call.session.SetTimeZone(zone);
}

namespace fs = std::filesystem;

// Whether a folder (made canonical) is the folder or lies inside it.
bool isWithin(const fs::path& folder, const fs::path& inside) {
    std::error_code ec;
    const fs::path base = fs::weakly_canonical(folder, ec);
    if (ec || base.empty())
        return false;
    auto b = base.begin(), i = inside.begin();
    for (; b != base.end(); ++b, ++i) {
        if (b->empty() && std::next(b) == base.end())
            break;  // a trailing separator
        if (i == inside.end() || *i != *b)
            return false;
    }
    return true;
}

// A script may point the views only at folders of its own run: under the
// run's temporary folder (relative names are taken there) or the one the
// run was given. Anything else would let a script read and write INI files
// anywhere the user can.
void sysdirCommand(Call& call) {
    NoBlock(call);
    const std::string folder = call.args.At(0, "a folder");
    call.args.Finish();
    Session& session = call.session;
    fs::path path(folder);
    if (path.is_relative() && !session.WorkDir().empty())
        path = session.WorkDir() / path;
    std::error_code ec;
    if (!fs::is_directory(path, ec))
        throw ScriptError("the folder " + folder + " does not exist");
    const fs::path real = fs::canonical(path, ec);
    const bool allowed =
        !ec && ((!session.WorkDir().empty() && isWithin(session.WorkDir(), real)) ||
                (!session.Options().sysDir.empty() &&
                 fs::weakly_canonical(session.Options().sysDir, ec) == real && !ec));
    if (!allowed)
        throw ScriptError("the folder " + folder +
                          " is outside the run's own folders (its temporary folder or --sys)");
    session.Context().OwnServices().SetSysPath(CString(real.string()));
}

void iniCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const std::string file = a.At(0, "an INI file name");
    const std::string section = a.At(1, "a section");
    const std::string key = a.At(2, "a key");
    const std::optional<std::string> value = a.Optional(3);
    a.Finish();
    // Only files of the system folder, where the views read them.
    const fs::path name(file);
    const bool climbs =
        std::any_of(name.begin(), name.end(), [](const fs::path& part) { return part == ".."; });
    if (name.empty() || !name.is_relative() || name.has_root_name() || climbs ||
        !name.has_filename() || name.filename() == ".")
        throw ScriptError("the INI file " + file +
                          ": expected a name inside the system folder (no absolute path, no '..')");
    const fs::path folder(call.session.Context().GetServices().GetSysPath(0).str());
    const fs::path path = folder / name;
    std::error_code ec;
    // A link inside the folder must not lead out of it either.
    if (!isWithin(folder, fs::weakly_canonical(path, ec)) || ec)
        throw ScriptError("the INI file " + file + " leads outside the system folder");
    std::string error;
    if (!SetIniValue(path.string(), section, key, value, error))
        throw ScriptError(error);
}

CString classOf(Args& a) {
    return CString(a.Option("class").value_or(ViewHost::kNewsViewClass));
}

std::vector<CString> listFrom(Args& a, std::size_t index) {
    std::vector<CString> items;
    for (std::size_t i = index; i < a.Count(); ++i)
        items.emplace_back(a.At(i, "an item"));
    return items;
}

void storeCommand(Call& call) {
    NoBlock(call);
    Args& a = call.args;
    const std::string scope = a.At(0, "a scope: view, common or default");
    SKQCfgIO2& store = call.session.Store();
    bool saved = false;
    if (scope == "view") {
        const CString name(a.At(1, "a view name"));
        const int key1 = ParseInt(a.At(2, "key1"), "key1");
        const int key2 = ParseInt(a.At(3, "key2"), "key2");
        const CString key(a.At(4, "a value key"));
        const std::string type = a.At(5, "a type: int, bool, string or list");
        const CString className = classOf(a);
        if (type == "int") {
            saved = store.SaveViewInfo(name, key1, key2, className, key,
                                       ParseInt(a.At(6, "a number"), "value"));
        } else if (type == "bool") {
            saved = store.SaveViewInfo(name, key1, key2, className, key,
                                       ParseSwitch(a.At(6, "on or off"), "value"));
        } else if (type == "string") {
            const CString value(a.Optional(6).value_or(""));
            saved = store.SaveViewInfo(name, key1, key2, className, key, value);
        } else if (type == "list") {
            saved = store.SaveViewInfo(name, key1, key2, className, key, listFrom(a, 6));
        } else {
            throw ScriptError("type '" + type + "': expected int, bool, string or list");
        }
    } else if (scope == "common") {
        const CString name(a.At(1, "a scope name (the view name)"));
        const int key1 = ParseInt(a.At(2, "key1"), "key1");
        const CString key(a.At(3, "a value key"));
        const std::string type = a.At(4, "a type: int or list");
        if (type == "int")
            saved =
                store.SaveViewCommonInfo(name, key1, key, ParseInt(a.At(5, "a number"), "value"));
        else if (type == "list")
            saved = store.SaveViewCommonInfo(name, key1, key, listFrom(a, 5));
        else
            throw ScriptError("type '" + type + "': expected int or list");
    } else if (scope == "default") {
        const CString key(a.At(1, "a value key"));
        const CString className = classOf(a);
        SKQCfgIO2 system(SKQCfgIO2::m_strCurrentDir + "/SYS/", "System");
        saved = system.SaveViewDefaultInfo(className, key, listFrom(a, 2));
        if (!saved)
            throw ScriptError("the System store did not take the value: " + system.GetError());
    } else {
        throw ScriptError("scope '" + scope + "': expected view, common or default");
    }
    a.Finish();
    if (!saved)
        throw ScriptError("the store did not take the value: " + store.GetError());
}

void langCommand(Call& call) {
    NoBlock(call);
    const std::string name = call.args.At(0, "a language: zh_TW, zh_CN or en");
    call.args.Finish();
    const auto language = LanguageService::ParseLanguage(name);
    if (!language)
        throw ScriptError("language '" + name + "': expected zh_TW, zh_CN or en");
    if (!call.session.Context().OwnLanguage().Load(call.session.Options().resourceDir + "/lang",
                                                   *language))
        throw ScriptError("cannot load the language " + name);
}

void schemeCommand(Call& call) {
    NoBlock(call);
    const std::string name = call.args.At(0, "a colour scheme: light or dark");
    call.args.Finish();
    std::string error;
    if (!LoadScheme(call.session.Context(), call.session.Options().resourceDir, name, error))
        throw ScriptError(error);
    // As the host does when its scheme changes.
    call.session.Host().RecastAll();
}

void echoCommand(Call& call) {
    NoBlock(call);
    std::string text;
    for (std::size_t i = 0; i < call.args.Count(); ++i)
        text += (i ? " " : "") + call.args.At(i, "text");
    call.args.Finish();
    call.session.Out() << text << '\n';
}

}  // namespace

void AddEnvironmentCommands(CommandTable& table) {
    table.Add("clock", clockCommand);
    table.Add("tz", tzCommand);
    table.Add("sysdir", sysdirCommand);
    table.Add("ini", iniCommand);
    table.Add("store", storeCommand);
    table.Add("lang", langCommand);
    table.Add("scheme", schemeCommand);
    table.Add("echo", echoCommand);
}

}  // namespace automation

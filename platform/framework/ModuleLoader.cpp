#include "ModuleLoader.h"

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>

#include "KqModule.h"
#include "RuntimeClassRegistry.h"

namespace {

struct Library {
    void* handle = nullptr;
    const KqModuleInfo* info = nullptr;
    std::string name;
    std::string version;
    int references = 0;
};

// Libraries are process-wide (dlopen counts them per process), so is this table.
struct Libraries {
    std::mutex mutex;
    std::map<std::string, Library> loaded;  // by canonical path
};

Libraries& libraries() {
    static Libraries* instance = new Libraries;  // never destroyed, like the registry
    return *instance;
}

KqModule describe(const std::string& path, const Library& library) {
    KqModule module;
    module.path = path;
    module.name = library.name;
    module.version = library.version;
    module.classes = RuntimeClassRegistry::NamesOf(library.name);
    return module;
}

std::string dlError() {
    const char* text = dlerror();
    return text ? text : "unknown error";
}

// The canonical path of an existing regular file, or a message why not.
bool resolve(const std::string& path, std::string& canonical, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path resolved = fs::canonical(fs::path(path), ec);
    if (ec) {
        error = "module '" + path + "' not found: " + ec.message();
        return false;
    }
    if (!fs::is_regular_file(resolved, ec)) {
        error = "module '" + path + "' is not a file";
        return false;
    }
    canonical = resolved.string();
    return true;
}

// Where a loaded library's code starts in memory, or null.
const void* libraryBase(void* handle) {
    link_map* map = nullptr;
    if (dlinfo(handle, RTLD_DI_LINKMAP, &map) != 0 || !map)
        return nullptr;
    Dl_info info;
    return dladdr(map->l_ld, &info) ? info.dli_fbase : nullptr;
}

// The runtime classes defined in that library. Classes are told by where they
// live, not by when they registered: a library someone else had opened first
// registered its classes then, for the host.
std::vector<const CRuntimeClass*> classesIn(void* handle) {
    std::vector<const CRuntimeClass*> classes;
    const void* base = libraryBase(handle);
    if (!base)
        return classes;
    for (const CRuntimeClass* cls : RuntimeClassRegistry::AllClasses()) {
        Dl_info info;
        if (dladdr(cls, &info) && info.dli_fbase == base)
            classes.push_back(cls);
    }
    return classes;
}

// Opens the library and attaches its module. On failure it is detached and
// closed, and its classes stay as they were (they leave the registry when the
// library leaves memory).
bool open(const std::string& path, const std::string& canonical, const Libraries& libs,
          Library& out, std::string& error) {
    const std::vector<const CRuntimeClass*> known = RuntimeClassRegistry::AllClasses();
    RuntimeClassRegistry::ConflictScope scope;
    dlerror();
    void* handle = dlopen(canonical.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        error = "cannot load module '" + path + "': " + dlError();
        return false;
    }
    const KqModuleInfo* info = nullptr;
    auto undo = [&](std::string message) {
        // What this load registered is hidden again, so a library that stays
        // in memory does not leave classes of a refused module behind.
        std::vector<const CRuntimeClass*> added;
        for (const CRuntimeClass* cls : classesIn(handle)) {
            if (std::find(known.begin(), known.end(), cls) == known.end())
                added.push_back(cls);
        }
        RuntimeClassRegistry::Hide(added);
        if (info && info->detach)
            info->detach();
        dlclose(handle);
        error = std::move(message);
        return false;
    };

    dlerror();
    void* symbol = dlsym(handle, kKqModuleEntryName);
    if (!symbol) {
        return undo("'" + path + "' is not a module: it exports no " + kKqModuleEntryName +
                    " function");
    }
    KqModuleEntry entry = nullptr;
    static_assert(sizeof(entry) == sizeof(symbol));
    std::memcpy(&entry, &symbol, sizeof(entry));  // object pointer to function pointer
    info = entry();
    if (!info)
        return undo("module '" + path + "' gave no module information");
    if (info->abiVersion != KQ_MODULE_ABI_VERSION) {
        const int version = info->abiVersion;
        info = nullptr;  // nothing beyond the version can be read from another interface
        return undo("module '" + path + "' was built for module interface version " +
                    std::to_string(version) + ", this host has version " +
                    std::to_string(KQ_MODULE_ABI_VERSION));
    }
    if (!info->name || !*info->name)
        return undo("module '" + path + "' has no name");
    for (const auto& [otherPath, other] : libs.loaded) {
        if (other.name == info->name) {
            return undo("a module named '" + other.name + "' is already loaded from '" + otherPath +
                        "'");
        }
    }
    std::string conflicts;
    for (const auto& conflict : scope.Conflicts())
        conflicts += (conflicts.empty() ? "" : ", ") + conflict;
    if (conflicts.empty())
        RuntimeClassRegistry::Claim(info->name, classesIn(handle), &conflicts);
    if (!conflicts.empty()) {
        return undo("module '" + path +
                    "' defines classes that are already registered: " + conflicts);
    }

    out.handle = handle;
    out.info = info;
    out.name = info->name;
    out.version = info->version ? info->version : "";
    out.references = 0;
    return true;
}

void release(const std::string& canonical, Libraries& libs) {
    const auto it = libs.loaded.find(canonical);
    if (it == libs.loaded.end() || --it->second.references > 0)
        return;
    const Library library = it->second;
    libs.loaded.erase(it);
    // Hidden, not forgotten: if the library stays in memory its classes come
    // back when it is loaded again; if it goes, they go with it.
    RuntimeClassRegistry::HideModule(library.name);
    if (library.info->detach)
        library.info->detach();
    dlclose(library.handle);
}

}  // namespace

ModuleLoader::~ModuleLoader() {
    UnloadAll();
}

bool ModuleLoader::fail(std::string message) {
    m_error = std::move(message);
    return false;
}

std::optional<KqModule> ModuleLoader::Load(const std::string& path) {
    if (path.empty()) {
        fail("no module path given");
        return std::nullopt;
    }
    std::string canonical;
    std::string error;
    if (!resolve(path, canonical, error)) {
        fail(error);
        return std::nullopt;
    }
    Libraries& libs = libraries();
    std::lock_guard lock(libs.mutex);
    auto it = libs.loaded.find(canonical);
    if (it == libs.loaded.end()) {
        Library library;
        if (!open(path, canonical, libs, library, error)) {
            fail(error);
            return std::nullopt;
        }
        it = libs.loaded.emplace(canonical, library).first;
    }
    if (std::find(m_held.begin(), m_held.end(), canonical) == m_held.end()) {
        ++it->second.references;
        m_held.push_back(canonical);
    }
    m_error.clear();
    return describe(canonical, it->second);
}

bool ModuleLoader::Unload(const std::string& nameOrPath) {
    Libraries& libs = libraries();
    std::lock_guard lock(libs.mutex);
    std::string canonical;
    std::string ignored;
    const bool isPath = resolve(nameOrPath, canonical, ignored);
    for (auto held = m_held.begin(); held != m_held.end(); ++held) {
        const auto it = libs.loaded.find(*held);
        if (it == libs.loaded.end())
            continue;
        if (it->second.name == nameOrPath || *held == nameOrPath ||
            (isPath && *held == canonical)) {
            const std::string path = *held;
            m_held.erase(held);
            release(path, libs);
            m_error.clear();
            return true;
        }
    }
    return fail("module '" + nameOrPath + "' is not loaded");
}

void ModuleLoader::UnloadAll() {
    Libraries& libs = libraries();
    std::lock_guard lock(libs.mutex);
    // The last loaded goes first: a later module may build on an earlier one.
    while (!m_held.empty()) {
        const std::string path = m_held.back();
        m_held.pop_back();
        release(path, libs);
    }
}

std::optional<KqModule> ModuleLoader::Find(const std::string& nameOrPath) const {
    Libraries& libs = libraries();
    std::lock_guard lock(libs.mutex);
    std::string canonical;
    std::string ignored;
    const bool isPath = resolve(nameOrPath, canonical, ignored);
    for (const auto& held : m_held) {
        const auto it = libs.loaded.find(held);
        if (it == libs.loaded.end())
            continue;
        if (it->second.name == nameOrPath || held == nameOrPath || (isPath && held == canonical))
            return describe(held, it->second);
    }
    return std::nullopt;
}

std::vector<KqModule> ModuleLoader::Modules() const {
    Libraries& libs = libraries();
    std::lock_guard lock(libs.mutex);
    std::vector<KqModule> modules;
    for (const auto& held : m_held) {
        const auto it = libs.loaded.find(held);
        if (it != libs.loaded.end())
            modules.push_back(describe(held, it->second));
    }
    return modules;
}

const CRuntimeClass* ModuleLoader::creatableClass(const std::string& className) {
    const CRuntimeClass* cls = RuntimeClassRegistry::Find(className);
    if (!cls) {
        fail("no class named '" + className + "' is registered");
        return nullptr;
    }
    if (!cls->IsCreatable()) {
        fail("class '" + className + "' cannot be created by name");
        return nullptr;
    }
    m_error.clear();
    return cls;
}

CObject* ModuleLoader::CreateObject(const std::string& className) {
    const CRuntimeClass* cls = creatableClass(className);
    return cls ? cls->CreateObject() : nullptr;
}

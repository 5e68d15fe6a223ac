#include "RuntimeClassRegistry.h"

#include <algorithm>
#include <map>
#include <mutex>

#include "CObject.h"
#include "ReportOnce.h"

namespace {

struct Entry {
    const CRuntimeClass* cls;
    std::string module;
};

struct Table {
    std::mutex mutex;
    std::map<std::string, Entry> classes;  // by name
    std::vector<Entry> hidden;
};

// Never destroyed: registrars of libraries may run their destructors after
// this library's statics are gone at process exit.
Table& table() {
    static Table* instance = new Table;
    return *instance;
}

thread_local RuntimeClassRegistry::ConflictScope* t_scope = nullptr;

std::string describeConflict(const char* name, const std::string& owner) {
    return std::string(name) + " (already registered by " +
           (owner.empty() ? std::string("the host") : "'" + owner + "'") + ")";
}

}  // namespace

const CRuntimeClass* RuntimeClassRegistry::Find(const std::string& name) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.classes.find(name);
    return it == t.classes.end() ? nullptr : it->second.cls;
}

std::string RuntimeClassRegistry::ModuleOf(const std::string& name) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.classes.find(name);
    return it == t.classes.end() ? std::string() : it->second.module;
}

std::vector<std::string> RuntimeClassRegistry::Names() {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::vector<std::string> names;
    for (const auto& [name, entry] : t.classes)
        names.push_back(name);
    return names;
}

std::vector<std::string> RuntimeClassRegistry::NamesOf(const std::string& module) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::vector<std::string> names;
    for (const auto& [name, entry] : t.classes) {
        if (entry.module == module)
            names.push_back(name);
    }
    return names;
}

std::vector<const CRuntimeClass*> RuntimeClassRegistry::AllClasses() {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    std::vector<const CRuntimeClass*> all;
    for (const auto& [name, entry] : t.classes)
        all.push_back(entry.cls);
    for (const auto& entry : t.hidden)
        all.push_back(entry.cls);
    return all;
}

bool RuntimeClassRegistry::Register(const CRuntimeClass* cls) {
    if (!cls || !cls->m_lpszClassName || !*cls->m_lpszClassName)
        return false;
    std::string owner;
    {
        Table& t = table();
        std::lock_guard lock(t.mutex);
        const auto [it, added] = t.classes.try_emplace(cls->m_lpszClassName, Entry{cls, ""});
        if (added || it->second.cls == cls)
            return true;
        owner = it->second.module;
    }
    const std::string conflict = describeConflict(cls->m_lpszClassName, owner);
    if (t_scope) {
        t_scope->m_conflicts.push_back(conflict);
    } else {
        ReportOnce("runtime class " + conflict + " registered again; the first one stays");
    }
    return false;
}

void RuntimeClassRegistry::Unregister(const CRuntimeClass* cls) {
    if (!cls || !cls->m_lpszClassName)
        return;
    Table& t = table();
    std::lock_guard lock(t.mutex);
    const auto it = t.classes.find(cls->m_lpszClassName);
    if (it != t.classes.end() && it->second.cls == cls)
        t.classes.erase(it);
    std::erase_if(t.hidden, [&](const Entry& entry) { return entry.cls == cls; });
}

bool RuntimeClassRegistry::Claim(const std::string& module,
                                 const std::vector<const CRuntimeClass*>& classes,
                                 std::string* conflict) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    for (const CRuntimeClass* cls : classes) {
        const auto it = t.classes.find(cls->m_lpszClassName);
        if (it != t.classes.end() && it->second.cls != cls) {
            if (conflict)
                *conflict = describeConflict(cls->m_lpszClassName, it->second.module);
            return false;
        }
    }
    for (const CRuntimeClass* cls : classes) {
        std::erase_if(t.hidden, [&](const Entry& entry) { return entry.cls == cls; });
        t.classes[cls->m_lpszClassName] = Entry{cls, module};
    }
    return true;
}

void RuntimeClassRegistry::HideModule(const std::string& module) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    for (auto it = t.classes.begin(); it != t.classes.end();) {
        if (it->second.module == module) {
            t.hidden.push_back(it->second);
            it = t.classes.erase(it);
        } else {
            ++it;
        }
    }
}

void RuntimeClassRegistry::Hide(const std::vector<const CRuntimeClass*>& classes) {
    Table& t = table();
    std::lock_guard lock(t.mutex);
    for (const CRuntimeClass* cls : classes) {
        const auto it = t.classes.find(cls->m_lpszClassName);
        if (it != t.classes.end() && it->second.cls == cls) {
            t.hidden.push_back(it->second);
            t.classes.erase(it);
        }
    }
}

RuntimeClassRegistry::ConflictScope::ConflictScope() : m_previous(t_scope) {
    t_scope = this;
}

RuntimeClassRegistry::ConflictScope::~ConflictScope() {
    t_scope = m_previous;
}

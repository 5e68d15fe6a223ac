#pragma once
// Loads module libraries into the host and creates their classes by name.
//
//   ModuleLoader loader;
//   if (!loader.Load("/opt/newsdesk/modules/libnews.so")) show(loader.GetError());
//   std::unique_ptr<SKQBaseView> view = loader.Create<SKQBaseView>("SKQNewsCtrlView");
//
// Every failure (no path, a missing or unloadable file, a library that is not
// a module or was built for another interface version, a name or class that
// is already taken, an unknown class) is returned as false or null with a
// message in GetError() naming the path or class and what is wrong; nothing
// crashes and nothing stays half loaded.
//
// A library loaded by several loaders (or twice) is opened once and counted;
// it is unloaded, and its classes leave the registry, when the last loader
// lets go of it. Objects made from a module's classes must be destroyed before
// the module is unloaded: their code goes with it.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "CObject.h"

struct KqModule {
    std::string path;  // the library's canonical path
    std::string name;
    std::string version;
    std::vector<std::string> classes;  // runtime classes it registered, sorted
};

class ModuleLoader {
  public:
    ModuleLoader() = default;
    // Lets go of every module this loader still holds.
    ~ModuleLoader();
    ModuleLoader(const ModuleLoader&) = delete;
    ModuleLoader& operator=(const ModuleLoader&) = delete;

    // Loads the library at `path` (dlopen with RTLD_NOW | RTLD_LOCAL), attaches
    // the module and registers its classes. Loading a module this loader holds
    // already gives it again without a second reference.
    std::optional<KqModule> Load(const std::string& path);
    // By module name or by path.
    bool Unload(const std::string& nameOrPath);
    void UnloadAll();
    std::optional<KqModule> Find(const std::string& nameOrPath) const;
    std::vector<KqModule> Modules() const;

    // A new object of a registered class (of any module or of the host),
    // owned by the caller; null when the name is unknown or the class cannot
    // be created by name.
    CObject* CreateObject(const std::string& className);
    // The same, as a T (a class with a runtime class, e.g. SKQBaseView); null
    // also when the class is not a T.
    template <class T>
    std::unique_ptr<T> Create(const std::string& className);

    const std::string& GetError() const { return m_error; }

  private:
    bool fail(std::string message);
    const CRuntimeClass* creatableClass(const std::string& className);

    std::vector<std::string> m_held;  // canonical paths, in loading order
    std::string m_error;
};

template <class T>
std::unique_ptr<T> ModuleLoader::Create(const std::string& className) {
    const CRuntimeClass* cls = creatableClass(className);
    if (!cls)
        return nullptr;
    if (!cls->IsDerivedFrom(T::GetThisClass())) {
        fail("class '" + className + "' is not a " + T::GetThisClass()->m_lpszClassName);
        return nullptr;
    }
    CObject* object = cls->CreateObject();
    T* typed = dynamic_cast<T*>(object);
    if (!typed) {
        delete object;
        fail("class '" + className + "' did not create a " + T::GetThisClass()->m_lpszClassName);
        return nullptr;
    }
    return std::unique_ptr<T>(typed);
}

#pragma once
// The process-wide registry of runtime classes by name, and which module owns
// each. A class registers itself when the code that defines it starts
// (KQ_IMPLEMENT_DYNCREATE) and leaves when that code is unloaded. Classes
// belong to the host (module "") until ModuleLoader claims those of a library
// it loaded for that module.
//
// Unloading a module hides its classes rather than forgetting them: a library
// that stays in memory (another holder, or code the system will not unmap)
// does not run its registrations again when it is loaded again, so the loader
// shows the hidden classes again instead. Hidden classes are not found by
// name and do not keep their names from other classes.
#include <string>
#include <vector>

struct CRuntimeClass;

class RuntimeClassRegistry {
  public:
    // The class of that name, or null.
    static const CRuntimeClass* Find(const std::string& name);
    // The module that owns the class ("" for the host), or "" when the name
    // is unknown.
    static std::string ModuleOf(const std::string& name);
    // Names of every registered class (of one module), sorted.
    static std::vector<std::string> Names();
    static std::vector<std::string> NamesOf(const std::string& module);
    // Every class known, hidden ones included.
    static std::vector<const CRuntimeClass*> AllClasses();

    // Adds a class under its name for the host. A name already taken is
    // refused: false, nothing changes, and the refusal is reported (to the
    // ConflictScope of this thread, if there is one, else on stderr).
    static bool Register(const CRuntimeClass* cls);
    // Removes the class if it is the one registered under its name, or hidden.
    static void Unregister(const CRuntimeClass* cls);

    // Makes the classes a module's own, showing hidden ones again. All or
    // none: false (and `conflict` says which) when a hidden class's name has
    // been taken by another class meanwhile.
    static bool Claim(const std::string& module, const std::vector<const CRuntimeClass*>& classes,
                      std::string* conflict);
    // Hides every class of a module, or the classes given.
    static void HideModule(const std::string& module);
    static void Hide(const std::vector<const CRuntimeClass*>& classes);

    // While alive, registrations refused on this thread are collected here
    // instead of being reported.
    class ConflictScope {
      public:
        ConflictScope();
        ~ConflictScope();
        ConflictScope(const ConflictScope&) = delete;
        ConflictScope& operator=(const ConflictScope&) = delete;

        // "name (already registered by 'module')" for each refused class.
        const std::vector<std::string>& Conflicts() const { return m_conflicts; }

      private:
        friend class RuntimeClassRegistry;
        std::vector<std::string> m_conflicts;
        ConflictScope* m_previous;
    };
};

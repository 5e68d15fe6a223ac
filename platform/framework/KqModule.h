#pragma once
// What makes a shared library a module the host can load: an exported entry
// function
//
//   extern "C" const KqModuleInfo* kq_module_entry();
//
// that tells the module's name and version and runs its one-time
// initialisation (registering its window messages and whatever else it keeps
// for the whole time it is attached). A module writes, in one .cpp file:
//
//   static void InitNewsModule() { g_uMsgChangeSize = RegisterWindowMessage("KQMSG_CHANGESIZE"); }
//   KQ_IMPLEMENT_MODULE("news", "1.0", InitNewsModule)
//
// Its view classes register themselves by name (KQ_IMPLEMENT_DYNCREATE) while
// the library loads. The host loads modules with ModuleLoader.
#include <mutex>

// Raised whenever the layout of what a module and the host share changes
// (KqModuleInfo, CRuntimeClass, SKQBaseView's virtual functions); a module
// built for another value is refused.
#define KQ_MODULE_ABI_VERSION 1

#define KQ_MODULE_EXPORT extern "C" __attribute__((visibility("default")))

struct KqModuleInfo {
    int abiVersion;       // KQ_MODULE_ABI_VERSION the module was built with
    const char* name;     // unique among loaded modules
    const char* version;  // free text, for the host's "about" and logs
    void (*detach)();     // run by the host before it unloads the library; may be null
};

using KqModuleEntry = const KqModuleInfo* (*)();
inline constexpr const char* kKqModuleEntryName = "kq_module_entry";

// The module's record of being attached to the host process: initialised once
// when the host first asks for the entry, released when the host detaches the
// module, and initialised again if the module is attached again.
class KqExtensionModule {
  public:
    using Initialise = void (*)();
    // Inline, so the interface version recorded is the one the module was
    // compiled against, not the host's.
    KqExtensionModule(const char* name, const char* version, Initialise initialise,
                      void (*detach)())
        : m_info{KQ_MODULE_ABI_VERSION, name, version, detach}, m_initialise(initialise) {}
    KqExtensionModule(const KqExtensionModule&) = delete;
    KqExtensionModule& operator=(const KqExtensionModule&) = delete;

    // Runs the initialisation unless already attached; returns the module's info.
    const KqModuleInfo* Attach();
    void Detach();
    bool IsAttached() const;
    // How often the module has been initialised in this process.
    int AttachCount() const;

  private:
    KqModuleInfo m_info;
    Initialise m_initialise;
    mutable std::mutex m_mutex;
    bool m_attached = false;
    int m_attachCount = 0;
};

#define KQ_IMPLEMENT_MODULE(name, version, initialise)                          \
    namespace {                                                                 \
    void kqModuleDetach();                                                      \
    KqExtensionModule kqThisModule(name, version, initialise, &kqModuleDetach); \
    void kqModuleDetach() {                                                     \
        kqThisModule.Detach();                                                  \
    }                                                                           \
    }                                                                           \
    KQ_MODULE_EXPORT const KqModuleInfo* kq_module_entry() {                    \
        return kqThisModule.Attach();                                           \
    }
